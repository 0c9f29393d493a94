// Changing controls from code, with the platform's rules: selecting an
// option button or changing a check box runs its click handler at once,
// setting the value it already has runs nothing.
#pragma once

#include "engine/calculator.h"

#include <string>

namespace orlavex {

// Selects OPTION and clears the other option of its frame.
void select_option(Calculator& calc, Ctl option);
// Sets check box BOX to 0 or 1.
void set_check(Calculator& calc, Ctl box, int value);
// As set_check, but without running the click handler (used where the
// handler would start a recalculation inside a recalculation).
void set_check_quietly(Calculator& calc, Ctl box, int value);

// Clears the check marks of the indexed menu array that starts at FIRST.
void uncheck_items(Calculator& calc, Ctl first);

bool is_selected(const Calculator& calc, Ctl option);
bool is_ticked(const Calculator& calc, Ctl box);
bool is_checked(const Calculator& calc, Ctl menu_item);

// Writes a text written by the program into a control. Writing a different
// text into an entry field drops its selection, as the platform does.
void set_text(Calculator& calc, Ctl id, std::string text);

}  // namespace orlavex
