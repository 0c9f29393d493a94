// The band edges of the instruments chosen.
#include "planning/band_edges.h"

#include "catalogue/catalogue.h"
#include "core/classic_session.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlavex::planning {
namespace {

TEST(BandEdges, TheAnalyzersOwnMatchCountsOnlyWithoutAnExternalPreamp) {
    core::ClassicSession s = core::ClassicSession::started();
    s.choose_analyzer(catalogue::find_analyzer("Kelmar-4"));  // match rule R3: 3.6, 8, 18, 26.5 ...
    const auto has_match_edge = [](const std::vector<BandEdge>& edges) {
        return std::ranges::any_of(edges, [](const BandEdge& e) {
            return e.what == "Kelmar-4 match from 3.6 GHz" && e.freq_ghz == 3.6;
        });
    };
    EXPECT_TRUE(has_match_edge(band_edges(s.setup.choices, 1, 10)));
    EXPECT_FALSE(has_match_edge(band_edges(s.setup.choices, 4, 10)));
    s.tick(&core::ClassicChoices::ext_preamp, true);
    EXPECT_FALSE(has_match_edge(band_edges(s.setup.choices, 1, 10)));
    const std::vector<BandEdge> edges = band_edges(s.setup.choices, 0.01, 40);
    EXPECT_TRUE(std::ranges::is_sorted(edges, {}, &BandEdge::freq_ghz));
    EXPECT_TRUE(band_edges(core::ClassicSession::started().setup.choices, 0.01, 100)
                    .empty());  // "User" has no bands
}

}  // namespace
}  // namespace orlavex::planning
