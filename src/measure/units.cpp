#include "measure/units.h"

#include <cmath>

namespace orlavex::measure {

double lin(double x) {
    // 10^0 is 1 exactly: a loss or error of 0 dB, common in a set-up, skips pow.
    if (x == 0) return 1;
    return std::pow(10.0, x / 10.0);
}

double db(double x) {
    return 10.0 * log10(x);
}

double log10(double x) {
    return std::log(x) / std::log(10.0);
}

double lsq(double x) {
    if (x > 1000.0) x = 1000.0;
    const double relative = std::pow(10.0, x / 10.0) - 1.0;
    return relative * relative;
}

}  // namespace orlavex::measure
