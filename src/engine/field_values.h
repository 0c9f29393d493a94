// Entering a number into an entry field without typing its characters: what
// sweeps and scripts call before a recalculation. The field ends up holding
// what it would hold had an engineer typed the nearest text that fits it.
#pragma once

#include "engine/calculator.h"

#include <optional>
#include <string>

namespace orlavex {

// The decimals FIELD keeps of a value: those the recalculation writes its
// value back with (2 for the DUT's noise figure and gain and the analyzer
// noise, 3 for the four levels), 15 for the others.
int kept_decimals(Ctl field);

// The value entry field FIELD holds when VALUE is entered as the nearest
// text of at most the field's length and kept decimals (".01008", "-99.99");
// empty when no such text exists (VALUE not finite or too long). Nothing
// is bounded here: the recalculation bounds as the window does.
std::optional<double> held_value(Ctl field, double value);

// Puts VALUE into FIELD as held_value gives it, as pasting its text does;
// nothing is recalculated. Refused, with the reason, where a user could not
// paste (not an entry field, hidden or disabled) or the value does not fit;
// empty when done.
std::string set_field_value(Calculator& calc, Ctl field, double value);

}  // namespace orlavex
