// typed_value, which a sweep enters every value through, reads exactly as
// the text field_text writes: the same double, bit for bit, or nothing.
#include "core/field_entry.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>

namespace orlavex::core {
namespace {

std::optional<double> through_text(double value, int max_chars, int max_decimals) {
    const std::string text = field_text(value, max_chars, max_decimals);
    if (text.empty()) return std::nullopt;
    return read_number(text);
}

void expect_as_text(double value, int max_chars, int max_decimals) {
    const std::optional<double> expected = through_text(value, max_chars, max_decimals);
    const std::optional<double> got = typed_value(value, max_chars, max_decimals);
    SCOPED_TRACE(testing::Message()
                 << std::hexfloat << value << " in " << max_chars << " characters, " << max_decimals
                 << " decimals: \"" << field_text(value, max_chars, max_decimals) << "\"");
    ASSERT_EQ(got.has_value(), expected.has_value());
    if (got) EXPECT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(*expected));
}

struct Case {
    double value;
    int max_chars;
    int max_decimals;
};

// Each row exercises one rule of the text: trailing zeros, the bare point,
// "-0", the dropped leading zero, a carry that lengthens the integer part,
// ties of the exact binary value, values too long for any text.
constexpr Case cases[] = {
    {15.42135, 6, 15},     {15.4215, 6, 15},       {1.07039, 6, 15},     {14.6800001, 6, 15},
    {0.0123456, 6, 15},    {-0.0123456, 6, 15},    {-0.00001, 6, 15},    {-0.0, 6, 15},
    {0.0, 6, 15},          {9.99996, 6, 15},       {99.9996, 6, 15},     {-9.99996, 6, 15},
    {0.125, 4, 15},        {0.375, 4, 15},         {2.675, 5, 2},        {28.005, 8, 2},
    {31.614999999, 8, 2},  {-31.615, 8, 2},        {123456.7, 6, 15},    {1234567.0, 6, 15},
    {-123456.0, 6, 15},    {1e-9, 6, 15},          {5e-7, 8, 15},        {0.5, 1, 15},
    {1.5, 1, 15},          {2.5, 1, 15},           {1e20, 30, 15},       {3.0e9, 12, 15},
    {4294967295.5, 12, 2}, {0.1 + 0.2, 20, 15},    {1.0 / 3.0, 12, 15},  {NAN, 6, 15},
    {INFINITY, 6, 15},     {17.999999999, 10, 15}, {8.0000000001, 6, 0}, {-7.5, 6, 0},
};

TEST(TypedValue, ReadsAsTheTextOfEveryRule) {
    for (const Case& c : cases)
        expect_as_text(c.value, c.max_chars, c.max_decimals);
}

// Values of the kinds sweeps enter (ENR, gains, VSWRs, frequencies, levels,
// either sign, over many decades) into fields of every width the window has.
TEST(TypedValue, ReadsAsTheTextOverManyValues) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> exponent(-7, 9), mantissa(1, 10);
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const double value = (i % 3 == 0 ? -1 : 1) * magnitude;
        for (const int max_chars : {4, 6, 8, 10})
            expect_as_text(value, max_chars, i % 2 == 0 ? 15 : 2);
    }
}

// Decimal values a step of a sweep lands on, and their neighbours a few
// units in the last place away: the ties and near-ties of the rounding.
TEST(TypedValue, ReadsAsTheTextAtAndBesideDecimalSteps) {
    for (int k = -20000; k <= 20000; k += 7) {
        const double at = k / 1000.0 + 0.0005;
        for (const double value : {std::nextafter(at, -1e9), at, std::nextafter(at, 1e9)})
            for (const int max_chars : {5, 6, 7})
                expect_as_text(value, max_chars, 15);
    }
}

}  // namespace
}  // namespace orlavex::core
