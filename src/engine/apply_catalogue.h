// Applying the selected analyzer and noise source to the window: the values
// a catalogue model fixes go into the state and the entry fields, and the
// fields it fixes are locked. "User" unlocks them and keeps what was typed.
#pragma once

#include "core/classic_setup.h"
#include "engine/calculator.h"

#include <string_view>

namespace orlavex {

// The caption of lblSAsel and lblNSsel for the user-defined instrument.
inline constexpr std::string_view user_selection = "User";

// The frequency limit, GHz, of a user-defined analyzer or noise source.
inline constexpr double user_frequency_limit = core::user_frequency_limit_ghz;

void set_SA_values(Calculator& calc);
void set_NS_values(Calculator& calc);

// The same without writing the fields' texts: the state, the locks, the
// option buttons and the menu caption as set_SA_values and set_NS_values
// leave them (what a recalculation that shows nothing needs; the texts it
// would write are overwritten by the recalculation's own).
void apply_SA_values(Calculator& calc);
void apply_NS_values(Calculator& calc);

}  // namespace orlavex
