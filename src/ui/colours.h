// The window model's colour numbers (blue-green-red, or a system colour from
// 0x80000000 up) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace orlavex::ui {

// SYSTEM supplies the system colours. colour::none gives an invalid QColor.
QColor to_qcolor(std::int64_t model_colour, const QPalette& system);

}  // namespace orlavex::ui
