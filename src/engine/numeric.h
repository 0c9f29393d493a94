// The five helpers every formula of the calculator is written with.
#pragma once

namespace orlavex {

// dB to linear power ratio.
double lin(double x);
// Linear power ratio (> 0) to dB.
double db(double x);
// Base-10 logarithm taken as ln(x) / ln(10), as every formula here expects
// (so db(lin(15)) is 14.999999999999998, not 15).
double log10(double x);
// Squared relative error of a dB deviation: (10^(x/10) - 1)^2. A value
// above 1000 dB is capped, and the cap is written back, so that the
// intermediate power stays at most 1e100 and its square finite.
double lsq(double& x);
inline double lsq(double&& x) {
    return lsq(x);
}
inline double lsq(const double& x) {
    double copy = x;
    return lsq(copy);
}
// x clamped to [min, max]; the maximum is tested first.
double limit(double x, double min, double max);

}  // namespace orlavex
