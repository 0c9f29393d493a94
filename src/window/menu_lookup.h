// Finding a menu item as a user does: by the caption the window shows.
#pragma once

#include "engine/calculator.h"

#include <string_view>

namespace orlavex {

// The item under menu TOP (at any depth) whose caption is CAPTION, or
// Ctl::none.
Ctl menu_item_captioned(const Calculator& calc, Ctl top, std::string_view caption);

}  // namespace orlavex
