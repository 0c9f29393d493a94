// A reflection typed as its magnitude and angle, "0.5@-60", as the command
// line, Python and the results write it; a set-up file and JSON hold it as
// [magnitude, degrees].
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

// What a typed reflection must be, as every front-end says it.
inline constexpr std::string_view reflection_rule =
    "must be MAG@DEG, a magnitude from 0 to below 1 at an angle in degrees (0.5@-60)";

// The reflection of magnitude MAG at DEG degrees; none unless both are
// finite and 0 <= MAG < 1.
std::optional<std::complex<double>> reflection_of(double mag, double deg);

// "MAG@DEG" read; none for anything else or a reflection out of range.
std::optional<std::complex<double>> read_reflection(std::string_view text);

// The angle of GAMMA in degrees, -180 to 180.
double reflection_degrees(std::complex<double> gamma);
// "0.5@-60", each number to 12 significant digits.
std::string reflection_text(std::complex<double> gamma);

}  // namespace orlavex::app
