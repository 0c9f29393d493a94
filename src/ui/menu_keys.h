// The keyboard's way into the menu bar: Alt+F, Alt+O, Alt+W and Alt+H open
// the File, Option, Web and Help menus, and Ctrl+Q chooses File > Exit. The
// model's captions stay as they are (no "&" is written into them).
#pragma once

#include <QMenuBar>

namespace orlavex::ui {

void add_menu_keys(QMenuBar* bar);

}  // namespace orlavex::ui
