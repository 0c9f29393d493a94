#include "measure/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlavex::measure {
namespace {

TEST(Lin, PowerRatioOfDecibels) {
    EXPECT_DOUBLE_EQ(lin(0), 1.0);
    EXPECT_DOUBLE_EQ(lin(10), 10.0);
    EXPECT_DOUBLE_EQ(lin(-10), 0.1);
    EXPECT_NEAR(lin(3), 1.9952623149688795, 1e-15);
    EXPECT_NEAR(lin(15), 31.622776601683793, 1e-13);
}

TEST(Log10, IsNaturalLogarithmOverLnTen) {
    // ln(1000) / ln(10) is one unit in the last place below 3; a library
    // base-10 logarithm would give exactly 3.
    EXPECT_EQ(measure::log10(1000.0), 2.9999999999999996);
    EXPECT_EQ(measure::log10(1.0), 0.0);
    EXPECT_NEAR(measure::log10(2.0), 0.30102999566398114, 1e-16);
}

TEST(Db, TenTimesLog10AndInverseOfLin) {
    EXPECT_NEAR(db(2), 3.0102999566398116, 1e-15);
    EXPECT_NEAR(db(0.5), -3.0102999566398116, 1e-15);
    // The effective ENR at 290 K comes out this way, not as 15.
    EXPECT_EQ(db(lin(15)), 14.999999999999998);
    for (double x : {-174.0, -20.0, 0.5, 8.0, 60.0})
        EXPECT_NEAR(db(lin(x)), x, 1e-12) << x;
}

TEST(Lsq, SquaredRelativeErrorOfDecibels) {
    EXPECT_EQ(lsq(0.0), 0.0);
    EXPECT_NEAR(lsq(0.1), 0.00054256348939127, 1e-15);  // 0.02329 squared
    EXPECT_NEAR(lsq(3.0), 0.9905470755972131, 1e-13);
    EXPECT_NEAR(lsq(-1.0), 0.04230087503163025, 1e-15);
}

TEST(Lsq, CountsDeviationsAboveThousandDecibelsAsThousand) {
    EXPECT_EQ(lsq(2000.0), lsq(1000.0));
    EXPECT_EQ(lsq(1e300), lsq(1000.0));
    EXPECT_DOUBLE_EQ(lsq(1000.0), 1e200);
    EXPECT_TRUE(std::isfinite(lsq(1e300)));
    EXPECT_LT(lsq(999.5), lsq(1000.0));
}

}  // namespace
}  // namespace orlavex::measure
