// The keyboard's way into the menu bar: Alt+F, Alt+O, Alt+W, Alt+T and
// Alt+H open the File, Option, Web, Tools and Help menus, and Ctrl+Q chooses
// File > Exit. The model's captions stay as they are (no "&" is written into
// them).
#pragma once

#include <QMenuBar>

namespace orlavex::ui {

// Gives BAR its menu keys. A menu added to the bar later (Tools) is found
// by its object name when its key is pressed.
void add_menu_keys(QMenuBar* bar);

}  // namespace orlavex::ui
