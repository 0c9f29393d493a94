// Bringing a started window model to a typed set-up through the user's own
// actions: the option menu, the check boxes, the catalogue menus, then
// every field (its format button, the focus, the characters, Enter). The
// window then holds what it would show for those inputs.
//
// One protocol for every front-end: a number goes into its field as the
// field can hold it (rounded to the characters it takes) and the window
// bounds it as it bounds typing; where that changes the value a note says
// so, and a strict apply refuses instead. A value no field can hold (not
// finite, or too long even rounded) is refused with the field's range.
#pragma once

#include "app/apply_options.h"
#include "app/classic_apply.h"
#include "app/setup.h"
#include "engine/calculator.h"

#include <string>
#include <vector>

namespace orlavex::app {

// Carries SETUP out on CALC, a window model that has run Form_Load.
Applied apply(Calculator& calc, const Setup& setup, const ApplyOptions& options = {});

// "range 0.01 to 8 GHz": the bounds CALC holds ROW's field to now, and
// whether VALUE lies within them.
std::string range_text(const Calculator& calc, const FieldInput& row);
bool in_range(const Calculator& calc, const FieldInput& row, double value);


}  // namespace orlavex::app
