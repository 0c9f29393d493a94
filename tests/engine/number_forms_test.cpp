// Number writing has a fast path for short decimals and a general path for
// everything else; both must give the same forms.
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace orlavex {
namespace {

// The decimal text of m / 10^k, written by hand.
std::string decimal(long long m, int k) {
    std::string digits = std::to_string(m < 0 ? -m : m);
    if (k > 0) {
        if (digits.size() <= static_cast<std::size_t>(k)) {
            digits.insert(0, static_cast<std::size_t>(k) + 1 - digits.size(), '0');
        }
        digits.insert(digits.size() - static_cast<std::size_t>(k), 1, '.');
        digits.erase(digits.find_last_not_of('0') + 1);
        if (digits.back() == '.') digits.pop_back();
    }
    return (m < 0 ? "-" : "") + digits;
}

int significant_digits(const std::string& text) {
    int count = 0;
    bool leading = true;
    for (char c : text) {
        if (c == 'e') break;
        if (c < '0' || c > '9') continue;
        if (leading && c == '0') continue;
        leading = false;
        ++count;
    }
    return count;
}

TEST(NumberForms, ShortDecimalsAreWrittenAsTheyAreTyped) {
    std::mt19937_64 rng(20261208);
    std::uniform_int_distribution<long long> mantissa(-999'999'999'999LL, 999'999'999'999LL);
    std::uniform_int_distribution<int> places(0, 8);
    for (int i = 0; i < 20000; ++i) {
        const long long m = mantissa(rng) / static_cast<long long>(std::pow(10, i % 10));
        const int k = places(rng);
        const double x = static_cast<double>(m) / std::pow(10.0, k);
        if (x != 0 && std::fabs(x) < 1e-4) continue;  // written in exponent form
        ASSERT_EQ(general_text(x), decimal(m, k)) << m << " / 10^" << k;
    }
}

TEST(NumberForms, AnyNumberIsWrittenWithFifteenDigitsAndReadsBack) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> scale(-12, 20);
    for (int i = 0; i < 20000; ++i) {
        const double x = unit(rng) * std::pow(10.0, scale(rng));
        const std::string text = general_text(x);
        ASSERT_LE(significant_digits(text), 15) << text;
        ASSERT_NEAR(read_number(text), x, std::fabs(x) * 1e-14) << text;
        // When the shortest form has at most 15 digits, it is the form.
        char buf[40];
        const auto res = std::to_chars(buf, buf + sizeof buf, x);
        const std::string shortest(buf, res.ptr);
        if (significant_digits(shortest) <= 15 && shortest.find('e') == std::string::npos) {
            ASSERT_EQ(text, shortest);
        }
    }
}

TEST(NumberForms, RoundingAgreesOnBothSidesOfTheFastPathLimit) {
    // Ties as a user reads them: to even for Round, away from zero for formats.
    EXPECT_EQ(round_to(0.125, 2), 0.12);
    EXPECT_EQ(round_to(0.135, 2), 0.14);
    EXPECT_EQ(round_to(2.675, 2), 2.68);
    EXPECT_EQ(round_to(2.665, 2), 2.66);
    EXPECT_EQ(round_to(-2.5, 0), -2.0);
    EXPECT_EQ(format_number(0.125, "0.00"), "0.13");
    EXPECT_EQ(format_number(2.665, "0.00"), "2.67");
    EXPECT_EQ(format_number(-2.5, "0"), "-3");
    // Values too large for the fast path take the general one.
    EXPECT_EQ(round_to(123456789012345.5, 0), 123456789012346.0);
    EXPECT_EQ(format_number(1e15 + 2, " 0.0"), " 1000000000000000.0");  // 15 digits
    // Random values: rounding then writing equals formatting.
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> value(-500.0, 500.0);
    for (int i = 0; i < 20000; ++i) {
        const double x = value(rng);
        for (int places = 0; places <= 4; ++places) {
            const std::string formatted =
                format_number(x, places == 0 ? "0" : "0." + std::string(places, '0'));
            ASSERT_NEAR(read_number(formatted), round_to(x, places), 1e-9) << x << " " << places;
        }
    }
}

}  // namespace
}  // namespace orlavex
