#include "core/numeric.h"

namespace orlavex {

double limit(double x, double min, double max) {
    if (x > max) return max;
    if (x < min) return min;
    return x;
}

}  // namespace orlavex
