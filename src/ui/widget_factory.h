// Builds the widgets of one window from its rows of the layout table: kind,
// object name, rectangle, designed font, flags, pictures. The renderer then
// gives them the model's state.
#pragma once

#include "ui/pictures.h"
#include "ui/window_widgets.h"

namespace orlavex::ui {

// Creates every control of WINDOW inside CLIENT (the window's client area).
WindowWidgets build_window_controls(Ctl window, QWidget* client, PictureLibrary& pictures);

}  // namespace orlavex::ui
