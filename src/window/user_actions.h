// What a user does to the main window, as the window delivers it: the one
// entry point of the headless driver and of the Qt window, so that both run
// the same handlers in the same order. Each returns an empty string when it
// was carried out, else the plain reason why not (and changes nothing).
#pragma once

#include "engine/calculator.h"

#include <string>
#include <string_view>

namespace orlavex {

// Puts the focus into CONTROL.
std::string focus_control(Calculator& calc, Ctl control);
// Replaces the text of entry field FIELD without any event, as a paste does;
// refused where a user could not paste (a hidden or disabled field, or a
// modal window open).
std::string paste_text(Calculator& calc, Ctl field, std::string_view text);
// Types one character into the focused control: its key-down, then the
// character through the window's character handling, then, unless that
// cancelled it, into the focused field at its selection.
std::string type_character(Calculator& calc, char ch);
// A key-down on the focused control (Page Up, arrows, Home, End, Enter,
// Tab, or a letter or digit key by its key code); SHIFT is the modifier
// mask. Backspace is typed as a character, as the window delivers it. A key
// held with Alt is a menu key: it raises its key-down and never types.
std::string press_key(Calculator& calc, int key_code, int shift);
// A mouse click on CONTROL (item INDEX of an indexed menu array): the focus
// moves first if the control takes it, then its handlers run.
std::string click_control(Calculator& calc, Ctl control);
// Sets the text selection of the focused entry field, as the mouse does.
std::string select_text(Calculator& calc, int start, int length);

// After any action: a focused control that can no longer hold the focus
// (hidden or disabled) passes it on along the tab order.
void settle_focus(Calculator& calc);

}  // namespace orlavex
