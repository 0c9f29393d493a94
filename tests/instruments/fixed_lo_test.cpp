// A converting DUT's LO held still: the output each input reaches agrees
// with the frequency plan of that input and output, and back.
#include "measure/fixed_lo.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlavex::measure {
namespace {

struct LoCase {
    double in_ghz, out_ghz;  // where the LO is set
    LoSide side;
    double lo_ghz;
    double other_in_ghz;   // another input, on the LO's side
    double beyond_in_ghz;  // an input that reaches no output that way
};

// Down with the LO below, up with it below, and with it above (the output
// falling as the input rises).
constexpr LoCase lo_cases[] = {
    {10, 1, LoSide::below, 9, 11.5, 8},
    {1, 10, LoSide::below, 9, 2.5, 0},
    {3, 1, LoSide::above, 4, 2.5, 4.5},
};

TEST(FixedLo, OutputsAgreeWithTheFrequencyPlanAndLeadBack) {
    for (const LoCase& c : lo_cases) {
        SCOPED_TRACE(c.in_ghz);
        const std::optional<FixedLo> lo = fixed_lo(c.in_ghz, c.out_ghz, c.side);
        ASSERT_TRUE(lo);
        EXPECT_DOUBLE_EQ(lo->lo_ghz, c.lo_ghz);
        EXPECT_DOUBLE_EQ(output_of(*lo, c.in_ghz).value_or(-1), c.out_ghz);
        const std::optional<double> out = output_of(*lo, c.other_in_ghz);
        ASSERT_TRUE(out);
        // The plan of the other input and its output puts the LO where it is.
        EXPECT_NEAR(frequency_plan(c.other_in_ghz * 1e9, *out * 1e9, c.side).lo_hz, c.lo_ghz * 1e9,
                    1);
        EXPECT_NEAR(input_of(*lo, *out).value_or(-1), c.other_in_ghz, 1e-12);
        EXPECT_FALSE(output_of(*lo, c.beyond_in_ghz));
    }
    EXPECT_FALSE(fixed_lo(2, 2, LoSide::below));
}

}  // namespace
}  // namespace orlavex::measure
