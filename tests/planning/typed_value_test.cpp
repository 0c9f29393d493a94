// typed_value, which a sweep enters every value through, reads exactly as
// the text field_text writes: the same double, bit for bit, or nothing; and
// field_text's first guess of the decimals that fit changes no text.
#include "core/field_entry.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
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
    if (got) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(*expected));
    }
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

// The text of at most MAX_CHARS characters found the long way: printf's
// text at every number of decimals, from as many as the width of the
// integer part by its logarithm leaves, down.
std::string nearest_text(double value, int max_chars) {
    const double whole = std::fabs(value);
    const int integer_digits =
        (whole < 1 ? 0 : 1 + static_cast<int>(std::log10(whole))) + (value < 0 ? 1 : 0);
    for (int places = std::clamp(max_chars - integer_digits - 1, 0, 15); places >= 0; --places) {
        char buffer[80];
        std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
        std::string text = buffer;
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') text.pop_back();
        }
        if (text == "-0") text = "0";
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("0.")) text.erase(0, 1);
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("-0.")) text.erase(1, 1);
        if (static_cast<int>(text.size()) <= max_chars) return text;
    }
    return {};
}

// Around every power of ten a field can show, where the width of the
// integer part changes.
TEST(FieldText, IsTheTextFoundTheLongWayAroundPowersOfTen) {
    for (double power = 1; power < 1e15; power *= 10) {
        for (const double value : {power, std::nextafter(power, 0.0), std::nextafter(power, 1e300),
                                   power * (1 - 1e-13), power * (1 + 1e-13), power * (1 - 1e-9),
                                   power * (1 + 1e-9), power * 0.99995, power * 1.00004}) {
            for (const int max_chars : {4, 6, 8, 12, 17}) {
                for (const double signed_value : {value, -value}) {
                    EXPECT_EQ(field_text(signed_value, max_chars),
                              nearest_text(signed_value, max_chars))
                        << std::hexfloat << signed_value << " in " << max_chars << " characters";
                }
            }
        }
    }
}

}  // namespace
}  // namespace orlavex::core
