#include "measure/block_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orlavex::measure {
namespace {

// Relative difference in units of the double's epsilon.
double ulps(double got, double want) {
    return std::fabs(got - want) / (std::fabs(want) * std::numeric_limits<double>::epsilon());
}

TEST(BlockMath, ExpAndLogAgreeWithTheCLibraryToAFewUnitsInTheLastPlace) {
    double worst_exp = 0, worst_log = 0;
    for (double x = -700; x <= 700; x += 0.0137) {
        worst_exp = std::max(worst_exp, ulps(block_math::exp(x), std::exp(x)));
    }
    for (double e = -60; e <= 60; e += 0.0071) {
        const double x = std::exp(e);
        if (std::fabs(std::log(x)) > 1e-3)
            worst_log = std::max(worst_log, ulps(block_math::log(x), std::log(x)));
    }
    EXPECT_LT(worst_exp, 4.0);
    EXPECT_LT(worst_log, 4.0);
    // Near 1 the logarithm is small: absolute accuracy instead.
    for (double x = 0.99; x < 1.01; x += 1e-5)
        EXPECT_NEAR(block_math::log(x), std::log(x), 4e-17) << x;
    EXPECT_EQ(block_math::log(1.0), 0.0);
    EXPECT_EQ(block_math::exp(0.0), 1.0);
    EXPECT_NEAR(block_math::log(0x1p-52), -52 * std::numbers::ln2, 1e-13);
}

TEST(BlockMath, CosineAndSineOfAQuarterTurn) {
    double worst = 0;
    for (double a = 0; a < std::numbers::pi / 2; a += 1e-4) {
        const block_math::CosSin cs = block_math::cos_sin_quarter(a);
        worst = std::max({worst, std::fabs(cs.cos - std::cos(a)), std::fabs(cs.sin - std::sin(a))});
    }
    EXPECT_LT(worst, 4e-16);
}

}  // namespace
}  // namespace orlavex::measure
