#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orlavex::catalogue {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double edges[] = {1.0, 2.5, 7.4};

TEST(BandIndex, FirstBandCoversEverythingBelowTheFirstEdge) {
    EXPECT_EQ(band_index(edges, 0.5), 0u);
    EXPECT_EQ(band_index(edges, 0.0), 0u);
    EXPECT_EQ(band_index(edges, -3.0), 0u);
    EXPECT_EQ(band_index(edges, -infinity), 0u);
    EXPECT_EQ(band_index(edges, std::nextafter(1.0, 0.0)), 0u);
}

TEST(BandIndex, AnEdgeBelongsToTheBandThatStartsThere) {
    EXPECT_EQ(band_index(edges, 1.0), 1u);
    EXPECT_EQ(band_index(edges, std::nextafter(2.5, 0.0)), 1u);
    EXPECT_EQ(band_index(edges, 2.5), 2u);
    EXPECT_EQ(band_index(edges, 7.39), 2u);
    EXPECT_EQ(band_index(edges, 7.4), 3u);
}

TEST(BandIndex, LastBandHasNoUpperEnd) {
    EXPECT_EQ(band_index(edges, 1000.0), 3u);
    EXPECT_EQ(band_index(edges, infinity), 3u);
}

TEST(BandIndex, WithoutEdgesThereIsOneBand) {
    EXPECT_EQ(band_index({}, -1.0), 0u);
    EXPECT_EQ(band_index({}, 50.0), 0u);
}

TEST(BandIndex, NanFallsIntoTheFirstBand) {
    EXPECT_EQ(band_index(edges, std::numeric_limits<double>::quiet_NaN()), 0u);
}

}  // namespace
}  // namespace orlavex::catalogue
