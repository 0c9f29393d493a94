#include "core/number_text.h"
#include "measure/units.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace orlavex {
namespace {

TEST(ReadNumber, CommaIsAlwaysADecimalPoint) {
    EXPECT_EQ(read_number("1,5"), 1.5);
    EXPECT_EQ(read_number("1,000"), 1.0);    // never a thousands separator
    EXPECT_EQ(read_number("1.000,5"), 1.0);  // the second point ends the number
    EXPECT_EQ(read_number("-0,25"), -0.25);
    EXPECT_EQ(read_number("1,5e1"), 15.0);
}

TEST(ReadNumber, TakesTheLongestLeadingNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"", 0},      {"abc", 0},    {"-", 0},       {".", 0},     {"e5", 0},
        {"--5", 0},   {"12abc", 12}, {"1.2.3", 1.2}, {".5", 0.5},  {"5.", 5},
        {"+7", 7},    {"-3e1", -30}, {"2E3", 2000},  {"1D2", 100}, {"1d-2", 0.01},
        {"4e+1", 40}, {"1e", 1},     {"1e+", 1},     {"8 dB", 8},  {"-108.896", -108.896},
    };
    for (const Case& c : cases)
        EXPECT_EQ(read_number(c.text), c.expected) << '"' << c.text << '"';
}

TEST(ReadNumber, SkipsBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(read_number(" 2 5"), 25.0);
    EXPECT_EQ(read_number("\t2\n5 "), 25.0);
    EXPECT_EQ(read_number("- 1 . 5"), -1.5);
    EXPECT_EQ(read_number("1 e 2"), 100.0);
    EXPECT_EQ(read_number("   "), 0.0);
}

TEST(ReadNumber, OverflowGivesTheLargestDoubleOfItsSign) {
    const double largest = std::numeric_limits<double>::max();
    EXPECT_EQ(read_number("1e999"), largest);
    EXPECT_EQ(read_number("-1e999"), -largest);
    EXPECT_EQ(read_number("1e-999"), 0.0);
}

TEST(GeneralText, FifteenSignificantDigitsWithoutTrailingZeros) {
    struct Case {
        double x;
        const char* expected;
    };
    const Case cases[] = {
        {1, "1"},
        {1.15, "1.15"},
        {-108.896, "-108.896"},
        {-164.71999999999997, "-164.72"},
        {0.1 + 0.2, "0.3"},
        {14.999999999999998, "15"},
        {0.113438940402144, "0.113438940402144"},
        {0.1134389404021441, "0.113438940402144"},
        {999, "999"},
        {0.01, "0.01"},
        {0, "0"},
        {-0.0, "0"},
        {-3, "-3"},
        {1234567.125, "1234567.125"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(general_text(c.x), c.expected) << c.x;
}

TEST(GeneralText, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(general_text(1.5, ','), "1,5");
    EXPECT_EQ(general_text(-108.896, ','), "-108,896");
    EXPECT_EQ(general_text(20, ','), "20");
    EXPECT_EQ(read_number(general_text(0.1 + 0.2, ',')), 0.3);
}

TEST(RoundTo, TiesGoToTheEvenDigit) {
    struct Case {
        double x;
        int places;
        double expected;
    };
    const Case cases[] = {
        {0.125, 2, 0.12},
        {0.375, 2, 0.38},
        {-0.125, 2, -0.12},
        {2.5, 0, 2},
        {3.5, 0, 4},
        {-2.5, 0, -2},
        {1.0625, 3, 1.062},
        {-108.8964, 3, -108.896},
        {-97.3962644, 3, -97.396},
        {8.00084, 2, 8},
        {14.9991136827, 2, 15},
        {3.9999999999999982, 2, 4},
        {-0.004, 2, 0},
        {-102.5, 3, -102.5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(round_to(c.x, c.places), c.expected) << c.x << " to " << c.places;
}

TEST(FormatNumber, FixedDecimalsWithLiteralLeadingBlank) {
    struct Case {
        double x;
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {0.1134389404021441, " 0.00", " 0.11"},
        {0.1134389404021441, " 0.0", " 0.1"},
        {0.1134389404021441, " 0.000", " 0.113"},
        {0.1134389404021441, " 0.0000", " 0.1134"},
        {290.0, " 0.0", " 290.0"},
        {62.33, "0.0", "62.3"},
        {7, "0.00", "7.00"},
        {0.05, "0.00", "0.05"},
        {0, " 0.00", " 0.00"},
        {9460.605214488296, " 0.0", " 9460.6"},
        {5.1037355585374735, " 0.00", " 5.10"},
        {-8, "0.00", "-8.00"},
        {0.125, "0.00", "0.13"},  // a format rounds a tie away from zero
        {0.1134389404021441, "", "0.113438940402144"},
        {11.5, "", "11.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format_number(c.x, c.format), c.expected) << c.x << " as \"" << c.format << '"';
}

TEST(FormatNumber, UsesTheGivenDecimalSeparator) {
    EXPECT_EQ(format_number(0.1134, " 0.00", ','), " 0,11");
    EXPECT_EQ(format_number(62.33, "0.0", ','), "62,3");
    EXPECT_EQ(format_number(0.25, "", ','), "0,25");
}

// shown_value stands in for writing a value into a field and reading the
// text back; it must agree with that round trip to the last bit.
void expect_shown_as_read_back(double x) {
    const double read_back = read_number(general_text(x));
    EXPECT_EQ(std::bit_cast<std::uint64_t>(shown_value(x)), std::bit_cast<std::uint64_t>(read_back))
        << general_text(x);
}

TEST(ShownValue, IsTheValueTheWrittenTextReadsBack) {
    constexpr double max = std::numeric_limits<double>::max();
    for (double x :
         {0.0, -0.0, 1.0, -2.5, 0.1 + 0.2, 2.0 / 3.0, 1e-4, 9.99999999999999e-5, 1e15,
          123456789012345.67, 1e300, -1e-300, 4.9e-324, max, -max,
          std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        expect_shown_as_read_back(x);
    }
    // Values with more than 15 digits change; short ones stay themselves.
    EXPECT_EQ(shown_value(0.1 + 0.2), 0.3);
    ASSERT_NE(measure::db(measure::lin(15)), 15.0);
    EXPECT_EQ(shown_value(measure::db(measure::lin(15))), 15.0);
    EXPECT_EQ(shown_value(12.34), 12.34);

    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 20);
    std::uniform_int_distribution<int> places(0, 8);
    for (int i = 0; i < 200000; ++i) {
        const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
        expect_shown_as_read_back(x);
        // Values rounded to a few decimals, as the fields hold them.
        expect_shown_as_read_back(round_to(x, places(rng)));
        expect_shown_as_read_back(std::bit_cast<double>(rng()));
        if (HasFailure()) return;
    }
}

}  // namespace
}  // namespace orlavex
