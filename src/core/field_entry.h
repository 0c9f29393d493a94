// What an entry field makes of a number typed into it: the text of at most
// its characters nearest to the number, and the value that text reads as.
// Front-ends that take a number "as the calculator takes it" enter it
// through these, without a window.
#pragma once

#include "form/control_id.h"

#include <optional>
#include <string>

namespace orlavex::core {

// The text of at most MAX_CHARS characters and MAX_DECIMALS decimals that is
// nearest to VALUE ("12.345", ".01008", "-99.99"): what an engineer can type
// into a field of that length. Empty when VALUE does not fit at all.
std::string field_text(double value, int max_chars, int max_decimals = 15);

// The most characters FIELD takes when typed.
int field_capacity(Ctl field);

// The decimals the recalculation keeps of FIELD's value: 2 for the DUT's noise
// figure and gain and the analyzer noise, which it reads back from their
// rounded texts; 15 for the others.
int kept_decimals(Ctl field);

// The text VALUE is entered as into FIELD: the nearest that fits its
// characters (zero of either sign is "0"); empty when none does.
std::string entry_text(Ctl field, double value);

// VALUE as FIELD holds it once typed with the decimals the recalculation
// keeps; nothing when no text of the field's length comes near it.
std::optional<double> held_as_typed(Ctl field, double value);

}  // namespace orlavex::core
