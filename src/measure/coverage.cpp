#include "measure/coverage.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace orlavex::measure {

Coverage coverage_95(std::vector<double>& values) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const std::size_t n = values.size();
    if (n < 2) return {nan, nan, nan, nan, nan, nan};
    Coverage c;
    // Sums in the values' order, before sorting: the order of the trials.
    double sum = 0;
    for (double v : values)
        sum += v;
    c.mean = sum / static_cast<double>(n);
    double squares = 0;
    for (double v : values)
        squares += (v - c.mean) * (v - c.mean);
    c.std_dev = std::sqrt(squares / static_cast<double>(n - 1));

    // q values make up 95 %. With 1-based order statistics y(1) <= ... <= y(n)
    // the symmetric interval is [y(r), y(r + q)] with r = (n - q) / 2 rounded
    // up, the shortest the [y(r), y(r + q)] of least width. A sample too small
    // for 95 % gives its whole range.
    std::size_t q = static_cast<std::size_t>(std::floor(0.95 * static_cast<double>(n) + 0.5));
    q = std::min(q, n - 1);
    const std::size_t tail = n - q;
    const auto at = [&](std::size_t i) { return values.begin() + static_cast<std::ptrdiff_t>(i); };
    if (tail <= q) {
        // Only the lowest and the highest n - q values take part in the
        // intervals: those two tails are put in order, the middle is not.
        std::nth_element(values.begin(), at(tail), values.end());
        std::sort(values.begin(), at(tail));
        std::nth_element(at(tail), at(q), values.end());
        std::sort(at(q), values.end());
    } else {
        std::sort(values.begin(), values.end());
    }
    const std::size_t r = (tail + 1) / 2 - 1;  // 0-based
    c.symmetric_lo = values[r];
    c.symmetric_hi = values[r + q];
    std::size_t best = 0;
    for (std::size_t i = 1; i + q < n; ++i) {
        if (values[i + q] - values[i] < values[best + q] - values[best]) best = i;
    }
    c.shortest_lo = values[best];
    c.shortest_hi = values[best + q];
    return c;
}

}  // namespace orlavex::measure
