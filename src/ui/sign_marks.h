// The result's plus-minus sign is a "+" at the start of the result label
// with a label holding "_" laid under it (the design's way of writing "±").
// The design places the two for its own fonts; the substitute fonts draw
// the "+" further right within its advance than the "_", so the line would
// stand left of the cross. The mark's glyph is moved within its label until
// the two are centred on each other.
#pragma once

#include "ui/window_widgets.h"

namespace orlavex::ui {

// Aligns every shown mark of WIDGETS under the first character of the label
// it marks.
void align_sign_marks(const WindowWidgets& widgets);

}  // namespace orlavex::ui
