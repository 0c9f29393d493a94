// The frequency plan of a converter: where its LO sits and where its image
// falls, for each side of the LO, and the frequencies that give no image.
#include "measure/frequency_plan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

namespace orlavex::measure {
namespace {

constexpr double GHz = 1e9;

TEST(FrequencyPlan, LoAndImageOfEachSide) {
    struct Case {
        double f_in_ghz, f_out_ghz;
        LoSide side;
        double lo_ghz, image_ghz;
    };
    constexpr Case cases[] = {
        {10, 1, LoSide::below, 9, 8},    // down-conversion, LO below
        {10, 1, LoSide::above, 11, 12},  // down-conversion, LO above
        {1, 10, LoSide::below, 9, 19},   // up-conversion: the image above both
        {1, 10, LoSide::above, 11, 21},  //
        {2.4, 0.07, LoSide::below, 2.33, 2.26},
        {3, 2, LoSide::below, 1, 1},  // the image below the output
    };
    for (const Case& c : cases) {
        const FrequencyPlan plan = frequency_plan(c.f_in_ghz * GHz, c.f_out_ghz * GHz, c.side);
        ASSERT_TRUE(plan.valid()) << c.f_in_ghz << " -> " << c.f_out_ghz << ": " << plan.problem;
        EXPECT_NEAR(plan.lo_hz, c.lo_ghz * GHz, 1e-3) << c.f_in_ghz << " -> " << c.f_out_ghz;
        EXPECT_NEAR(plan.image_hz, c.image_ghz * GHz, 1e-3) << c.f_in_ghz << " -> " << c.f_out_ghz;
    }
}

TEST(FrequencyPlan, RefusesFrequenciesWithoutAnImage) {
    struct Case {
        double f_in_hz, f_out_hz;
        LoSide side;
        std::string_view says;
    };
    const Case cases[] = {
        {5 * GHz, 5 * GHz, LoSide::below, "same frequency"},
        {5 * GHz, 5 * GHz, LoSide::above, "same frequency"},
        {2 * GHz, 1 * GHz, LoSide::below, "0 Hz"},  // LO at the output frequency
        {0, 1 * GHz, LoSide::above, "above 0 Hz"},
        {-1 * GHz, 1 * GHz, LoSide::below, "above 0 Hz"},
        {1 * GHz, std::nan(""), LoSide::below, "finite"},
    };
    for (const Case& c : cases) {
        const FrequencyPlan plan = frequency_plan(c.f_in_hz, c.f_out_hz, c.side);
        EXPECT_FALSE(plan.valid()) << c.f_in_hz << " -> " << c.f_out_hz;
        EXPECT_NE(plan.problem.find(c.says), std::string::npos) << plan.problem;
        EXPECT_EQ(plan.image_hz, 0.0);
    }
}

}  // namespace
}  // namespace orlavex::measure
