// Decibel arithmetic every formula of the calculator is written with.
#pragma once

namespace orlavex::measure {

// Reference temperature of noise figures and ENR, K.
inline constexpr double T0 = 290.0;
// Offset of the Celsius scale, K.
inline constexpr double kelvin_offset = 273.15;

// dB to linear power ratio.
double lin(double x);
// Linear power ratio (> 0) to dB.
double db(double x);
// Base-10 logarithm taken as ln(x) / ln(10), as every formula here expects
// (so db(lin(15)) is 14.999999999999998, not 15).
double log10(double x);
// Squared relative error of a dB deviation: (10^(x/10) - 1)^2. A deviation
// above 1000 dB counts as 1000 dB, so that the intermediate power stays at
// most 1e100 and its square finite.
double lsq(double x);

}  // namespace orlavex::measure
