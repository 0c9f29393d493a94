// Entry fields: focus, the keyboard step and the character filter.
#pragma once

#include "engine/calculator.h"

#include <span>

namespace orlavex {

// Key codes and modifier bits as the window delivers them.
namespace key {
inline constexpr int backspace = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int escape = 27;
inline constexpr int page_up = 33;
inline constexpr int page_down = 34;
inline constexpr int end = 35;
inline constexpr int home = 36;
inline constexpr int left = 37;
inline constexpr int up = 38;
inline constexpr int right = 39;
inline constexpr int down = 40;
}  // namespace key
inline constexpr int shift_mask = 1;
inline constexpr int ctrl_mask = 2;
inline constexpr int alt_mask = 4;

// Selects the whole text of the focused entry field.
void select_field_text(Calculator& calc);
// 0.1 without a modifier, 1 with Shift, 0.01 with Ctrl; other combinations
// keep the last step.
void set_step_size(Calculator& calc, int shift);

// Focus handlers of every entry field (txtENR_GotFocus, txtENR_LostFocus, ...).
void field_GotFocus(Calculator& calc, Ctl field);
void field_LostFocus(Calculator& calc, Ctl field);

// Window-level keys, seen before the focused control.
void Form_KeyDown(Calculator& calc, int key_code, int shift);
// Cancels the character by setting it to 0.
void Form_KeyPress(Calculator& calc, int& key_ascii);

// Moves the focus to TARGET: the entry field that had it runs its lost-focus
// handler first, then TARGET its got-focus handler.
void move_focus(Calculator& calc, Ctl target);

// The controls that Tab visits, in order.
std::span<const Ctl> tab_order();

}  // namespace orlavex
