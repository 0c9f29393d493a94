// The polar forms of data files against long-double sines and powers.
#include "datafiles/polar_form.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace orlavex::datafiles {
namespace {

constexpr long double ulp_of_one = 2.220446049250313e-16L;
constexpr long double pi = 3.141592653589793238462643383279502884L;

// The error of GOT in ulps of WANT, or of 1/2 for smaller values (a sine
// near zero is as good as its angle's last digit).
double ulps(double got, long double want) {
    return static_cast<double>(std::fabs(got - want) /
                               (std::max(std::fabs(want), 0.5L) * ulp_of_one));
}

std::complex<long double> exact_unit(double degrees) {
    const long double turns = std::nearbyintl(static_cast<long double>(degrees) / 360);
    const long double radians = (degrees - 360 * turns) * (pi / 180);
    return {std::cos(radians), std::sin(radians)};
}

TEST(PolarDegrees, QuarterTurnsAreExactAndOtherAnglesWithinAnUlp) {
    struct Case {
        double degrees;
        std::complex<double> unit;
    };
    for (const Case& c : {Case{0, {1, 0}},
                          {90, {0, 1}},
                          {180, {-1, 0}},
                          {-180, {-1, 0}},
                          {270, {0, -1}},
                          {-90, {0, -1}},
                          {360, {1, 0}},
                          {-720, {1, 0}},
                          {9e13 + 90, {0, 1}}}) {
        EXPECT_EQ(polar_degrees(2, c.degrees), 2.0 * c.unit) << c.degrees;
        // No negative zeros, which would put a half turn at -180 degrees.
        EXPECT_FALSE(std::signbit(polar_degrees(2, c.degrees).imag()) && c.unit.imag() == 0);
    }
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> angle(-1000, 1000);
    for (int i = 0; i < 200000; ++i) {
        // Every other angle as files write them, to a tenth of a degree.
        const double degrees = i % 2 ? angle(random) : std::round(angle(random) * 10) / 10;
        const std::complex<double> got = polar_degrees(1, degrees);
        const std::complex<long double> want = exact_unit(degrees);
        ASSERT_LE(ulps(got.real(), want.real()), 1.1) << degrees;
        ASSERT_LE(ulps(got.imag(), want.imag()), 1.1) << degrees;
    }
    // Beyond the exact reduction, and not a number: as std::polar.
    for (const double degrees : {1e300, -1e16, HUGE_VAL, std::nan("")}) {
        const auto got = polar_degrees(1, degrees);
        const auto want = std::polar(1.0, degrees * std::numbers::pi / 180);
        EXPECT_TRUE(got == want || (std::isnan(got.real()) && std::isnan(want.real()))) << degrees;
    }
}

TEST(MagnitudeOfDb, WholeTwentiesExactlyAndTheRestWithinTwoUlps) {
    for (int n = -22; n <= 22; ++n)
        EXPECT_EQ(magnitude_of_db(20.0 * n), std::pow(10.0, n)) << n;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> db(-440, 440);
    for (int i = 0; i < 200000; ++i) {
        const double x = i % 2 ? db(random) : std::round(db(random) * 100) / 100;
        const long double want = std::pow(10.0L, x / 20.0L);
        ASSERT_LE(std::fabs(magnitude_of_db(x) - want) / (want * ulp_of_one), 2) << x;
    }
    for (const double x : {441.0, -1e300, 1e300})
        EXPECT_EQ(magnitude_of_db(x), std::pow(10.0, x / 20)) << x;
}

}  // namespace
}  // namespace orlavex::datafiles
