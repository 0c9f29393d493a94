// The window model's colour numbers (blue-green-red, or a system colour from
// 0x80000000 up) as Qt colours.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace orlavex::ui {

// SYSTEM supplies the system colours. colour::none gives an invalid QColor.
QColor to_qcolor(std::int64_t model_colour, const QPalette& system);

// Whether a control in MODEL_COLOUR paints its own background. On the button
// face it lets its frame show through instead: Fusion shades the inside of a
// frame, and a filled button-face rectangle would show as a lighter patch.
bool paints_own_background(std::int64_t model_colour);

}  // namespace orlavex::ui
