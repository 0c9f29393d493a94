#include "core/numeric.h"

#include <gtest/gtest.h>

namespace orlavex {
namespace {

TEST(Limit, ClampsWithMaximumTestedFirst) {
    struct Case {
        double x, min, max, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 5},
        {-1, 0, 10, 0},
        {11, 0, 10, 10},
        {10, 0, 10, 10},
        {0, 0, 10, 0},
        {-0.5, -1, 1, -0.5},
        // min > max: above max gives max, otherwise below min gives min.
        {7, 10, 5, 5},
        {3, 10, 5, 10},
        {5, 10, 5, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(limit(c.x, c.min, c.max), c.expected) << c.x << " in " << c.min << ".." << c.max;
}

}  // namespace
}  // namespace orlavex
