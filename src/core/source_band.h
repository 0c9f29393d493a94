// Whether a catalogue noise source can serve at a frequency: a waveguide
// source only inside its band, any source only up to its upper frequency.
// Both the sweep and a single point ask it of a separate measurement source.
#pragma once

#include <string>
#include <string_view>

namespace orlavex::core {

// Why the catalogue noise source MODEL cannot serve at F_GHZ below its
// waveguide band; empty for a coaxial source, a frequency in its band and a
// name the catalogue does not hold.
std::string below_waveguide_band(std::string_view model, double f_ghz);

// Why the catalogue noise source MODEL, used as the measurement source,
// cannot measure at F_GHZ ("19 GHz is above the measurement noise source
// NS346B's limit of 18 GHz"); empty when it can, and for a name the
// catalogue does not hold (a user's source has no band).
std::string outside_measurement_source(std::string_view model, double f_ghz);

}  // namespace orlavex::core
