#include "measure/coverage.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>

namespace orlavex::measure {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The intervals of N >= 2 sorted values. q values make up 95 %. With
// 1-based order statistics y(1) <= ... <= y(n) the symmetric interval is
// [y(r), y(r + q)] with r = (n - q) / 2 rounded up, the shortest the
// [y(r), y(r + q)] of least width. A sample too small for 95 % gives its
// whole range.
template <class T>
Intervals95 intervals_of_sorted(const T* y, std::size_t n) {
    std::size_t q = static_cast<std::size_t>(std::floor(0.95 * static_cast<double>(n) + 0.5));
    q = std::min(q, n - 1);
    const std::size_t tail = n - q;
    const std::size_t r = (tail + 1) / 2 - 1;  // 0-based
    // The narrowest window of q + 1 values starts within the lowest tail;
    // a running minimum without a data-dependent branch.
    std::size_t best = 0;
    T best_width = y[q] - y[0];
    for (std::size_t i = 1; i < tail; ++i) {
        const T width = y[i + q] - y[i];
        const bool narrower = width < best_width;
        best = narrower ? i : best;
        best_width = narrower ? width : best_width;
    }
    return {y[r], y[r + q], y[best], y[best + q]};
}

// Sort key of a float whose unsigned order is the numbers' order.
std::uint32_t key_of(float x) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(x);
    const std::uint32_t negative = bits >> 31;
    return bits ^ ((0u - negative) | 0x80000000u);
}

// Least-significant-digit radix sort, three passes of 11 bits: no
// comparisons, so no branches that depend on the data.
void radix_sort(std::vector<float>& values) {
    constexpr int digit_bits = 11;
    constexpr std::size_t buckets = std::size_t{1} << digit_bits;
    std::vector<float> other(values.size());
    for (int shift = 0; shift < 32; shift += digit_bits) {
        std::array<std::size_t, buckets> start{};
        for (float v : values)
            ++start[(key_of(v) >> shift) & (buckets - 1)];
        std::size_t sum = 0;
        for (std::size_t& s : start)
            sum += std::exchange(s, sum);
        for (float v : values)
            other[start[(key_of(v) >> shift) & (buckets - 1)]++] = v;
        values.swap(other);
    }
}

}  // namespace

Coverage coverage_95(std::vector<double>& values) {
    const std::size_t n = values.size();
    if (n < 2) return {{nan, nan, nan, nan}, nan, nan};
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
    std::sort(values.begin(), values.end());
    static_cast<Intervals95&>(c) = intervals_of_sorted(values.data(), n);
    return c;
}

Intervals95 intervals_95(std::vector<float>& values) {
    if (values.size() < 2) return {nan, nan, nan, nan};
    radix_sort(values);
    return intervals_of_sorted(values.data(), values.size());
}

}  // namespace orlavex::measure
