// Complex values from the polar forms data files write: a magnitude (or
// its decibels) and an angle in degrees. Files hold many thousands of them,
// so they are turned into complex numbers without a general sine, cosine
// or power, which cost three times as much.
#pragma once

#include "datafiles/short_number.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <numbers>

namespace orlavex::datafiles {

namespace polar_detail {

constexpr double inverse_factorial(int n) {
    double f = 1;
    for (int k = 2; k <= n; ++k)
        f *= k;
    return 1 / f;
}

// Taylor's series to the terms below half an ulp for |x| <= pi/4.
struct SineCosine {
    double sine, cosine;
};

inline SineCosine sine_cosine(double x) {
    const double z = x * x;
    const double sine_tail =
        -inverse_factorial(3) +
        z * (inverse_factorial(5) +
             z * (-inverse_factorial(7) +
                  z * (inverse_factorial(9) +
                       z * (-inverse_factorial(11) +
                            z * (inverse_factorial(13) - z * inverse_factorial(15))))));
    const double cosine_tail =
        z * (inverse_factorial(4) +
             z * (-inverse_factorial(6) +
                  z * (inverse_factorial(8) +
                       z * (-inverse_factorial(10) +
                            z * (inverse_factorial(12) +
                                 z * (-inverse_factorial(14) + z * inverse_factorial(16)))))));
    // 1 - z/2 rounds; what it loses is added back with the tail.
    const double half_z = 0.5 * z;
    const double w = 1 - half_z;
    return {x + x * z * sine_tail, w + (((1 - w) - half_z) + z * cosine_tail)};
}

}  // namespace polar_detail

// MAGNITUDE at an angle of DEGREES. The angle is brought within 45 degrees
// of a quarter turn in degrees, where that is exact, so a quarter turn
// gives an exact zero (std::polar(1.0, pi) leaves 1.2e-16 in the imaginary part).
inline std::complex<double> polar_degrees(double magnitude, double degrees) {
    if (!(std::fabs(degrees) < 1e15))
        return std::polar(magnitude, degrees * std::numbers::pi / 180);
    const auto quarter_turns = static_cast<std::int64_t>(degrees / 90 + (degrees < 0 ? -0.5 : 0.5));
    // Within a factor of two of its quarter turns, so the difference is exact.
    const double rest = degrees - 90.0 * static_cast<double>(quarter_turns);
    const auto [s, c] = polar_detail::sine_cosine(rest * (std::numbers::pi / 180));
    // +0.0 keeps a negated zero positive, as the sine of a half turn rounds.
    switch (quarter_turns & 3) {
        case 0:
            return {magnitude * c, magnitude * s};
        case 1:
            return {magnitude * (0.0 - s), magnitude * c};
        case 2:
            return {magnitude * (0.0 - c), magnitude * (0.0 - s)};
        default:
            return {magnitude * s, magnitude * (0.0 - c)};
    }
}

// The magnitude of DB decibels of an S-parameter, 10^(DB/20), within two
// ulps: whole twenties of decibels as exact powers of ten (so 20 dB is 10,
// and -20 dB the double nearest 0.1), the rest through 2^x, which costs a
// third of std::pow.
inline double magnitude_of_db(double db) {
    constexpr double log2_of_ten = 3.321928094887362347870319429489390175864831393;
    if (!(std::fabs(db) < 440)) return std::pow(10.0, db / 20);
    const auto twenties = static_cast<int>(db / 20 + (db < 0 ? -0.5 : 0.5));
    const double rest = db - 20.0 * twenties;  // exact, as for the angle above
    const double rest_magnitude = std::exp2(rest * (log2_of_ten / 20));
    return twenties >= 0 ? rest_magnitude * exact_powers_of_ten[twenties]
                         : rest_magnitude / exact_powers_of_ten[-twenties];
}

}  // namespace orlavex::datafiles
