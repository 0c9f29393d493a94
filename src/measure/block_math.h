// Elementary functions the Monte Carlo's trial loops use, written as plain
// arithmetic and bit operations: the compiler vectorises loops that call
// them, and a seed gives the same numbers with every C library (their
// results do not depend on the platform's libm). Accurate to a few units
// in the last place over the ranges stated.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <numbers>

namespace orlavex::measure::block_math {

namespace detail {

inline constexpr double ln2_hi = 0x1.62e42fee00000p-1;   // ln 2 with its low bits cut off,
inline constexpr double ln2_lo = 0x1.a39ef35793c76p-33;  // and what was cut off
// Adding 1.5 * 2^52 rounds a double below 2^51 to an integer and puts it
// in the low bits of the sum.
inline constexpr double round_shifter = 0x1.8p52;

constexpr double inverse_factorial(int n) {
    double value = 1;
    for (int i = 2; i <= n; ++i)
        value /= i;
    return value;
}

// Coefficients of the series, lowest power first.
template <std::size_t N, class Term>
constexpr std::array<double, N> table(Term term) {
    std::array<double, N> c{};
    for (std::size_t k = 0; k < N; ++k)
        c[k] = term(static_cast<int>(k));
    return c;
}
constexpr double sign(int k) {
    return k % 2 == 0 ? 1 : -1;
}

inline constexpr auto exp_terms = table<14>([](int k) { return inverse_factorial(k); });
inline constexpr auto log_terms = table<11>([](int k) { return 1.0 / (2 * k + 1); });
inline constexpr auto sin_terms =
    table<9>([](int k) { return sign(k) * inverse_factorial(2 * k + 1); });
inline constexpr auto cos_terms =
    table<9>([](int k) { return sign(k) * inverse_factorial(2 * k); });

template <std::size_t N>
inline double horner(const std::array<double, N>& c, double x) {
    double p = c[N - 1];
    for (std::size_t k = N - 1; k-- > 0;)
        p = p * x + c[k];
    return p;
}

}  // namespace detail

// e^x; arguments beyond +-708 are taken as +-708.
inline double exp(double x) {
    using namespace detail;
    x = x < -708 ? -708 : x;
    x = x > 708 ? 708 : x;
    const double shifted = x * std::numbers::log2e + round_shifter;
    const double n = shifted - round_shifter;
    const double r = (x - n * ln2_hi) - n * ln2_lo;  // |r| <= ln 2 / 2
    const std::uint64_t two_to_n = (std::bit_cast<std::uint64_t>(shifted) + 1023) << 52;
    return horner(exp_terms, r) * std::bit_cast<double>(two_to_n);
}

// Natural logarithm of a positive normal number (anything else gives a
// meaningless number: callers select those out).
inline double log(double x) {
    using namespace detail;
    // x = m 2^k with m in [sqrt(1/2), sqrt(2)).
    constexpr std::uint64_t sqrt_half = 0x3FE6A09E667F3BCD;
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const std::int64_t k = static_cast<std::int64_t>(bits - sqrt_half) >> 52;
    const double m = std::bit_cast<double>(bits - (static_cast<std::uint64_t>(k) << 52));
    const double kd = std::bit_cast<double>(std::bit_cast<std::uint64_t>(round_shifter) +
                                            static_cast<std::uint64_t>(k)) -
                      round_shifter;
    // log m = 2 atanh s = 2 (s + s^3/3 + s^5/5 ...), |s| <= 0.172.
    const double s = (m - 1) / (m + 1);
    const double log_m = 2 * s * horner(log_terms, s * s);
    return kd * ln2_hi + (log_m + kd * ln2_lo);
}

// Cosine and sine of an angle in [0, pi/2).
struct CosSin {
    double cos = 1, sin = 0;
};
inline CosSin cos_sin_quarter(double a) {
    using namespace detail;
    // Around pi/4 the series converge fast; then rotate back by pi/4.
    const double b = a - std::numbers::pi / 4;
    const double b2 = b * b;
    const double sin_b = b * horner(sin_terms, b2);
    const double cos_b = horner(cos_terms, b2);
    constexpr double half_sqrt2 = std::numbers::sqrt2 / 2;
    return {(cos_b - sin_b) * half_sqrt2, (cos_b + sin_b) * half_sqrt2};
}

}  // namespace orlavex::measure::block_math
