// Choosing instruments and options through the window's own actions, and the
// band edges of the instruments chosen.
#include "planning/window_setup.h"

#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "planning/band_edges.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlavex::planning {
namespace {

using enum Ctl;

TEST(WindowSetup, ChoicesTheWindowRefusesComeBackWithTheirReason) {
    Calculator calc = started_calculator();
    EXPECT_EQ(choose_analyzer(calc, "Aravel-99"), "unknown analyzer \"Aravel-99\"");
    EXPECT_EQ(choose_noise_source(calc, "ns346a"), "unknown noise source \"ns346a\"");
    EXPECT_EQ(choose_analyzer(calc, "Lorwen-7"), "");
    EXPECT_EQ(set_internal_preamp(calc, true),
              "the analyzer Lorwen-7 has no internal preamplifier");
    EXPECT_EQ(choose_analyzer(calc, "Aravel-4"), "");
    EXPECT_EQ(set_internal_preamp(calc, true, 1),
              "the analyzer Aravel-4 has one internal preamplifier");
    // A field a catalogue model fixes is locked.
    EXPECT_NE(enter_text(calc, txtSA_Noise, "20"), "");
}

TEST(WindowSetup, APreampOptionIsPickedFromThePreampMenu) {
    // Above 7 GHz Galder-4's option 0 is no better than no preamp; option 1 is.
    Calculator calc = started_calculator();
    ASSERT_EQ(enter_text(calc, txtFreq, "10"), "");
    ASSERT_EQ(choose_analyzer(calc, "Galder-4"), "");
    ASSERT_EQ(set_internal_preamp(calc, true, 1), "");
    EXPECT_TRUE(is_ticked(calc, chkIntPA));
    EXPECT_TRUE(calc.form[item(mnuIntPA, 1)].checked);
    EXPECT_FALSE(calc.form[item(mnuIntPA, 0)].checked);
    const double option1 = calc.figures.nf_sa_net_db;
    ASSERT_EQ(set_internal_preamp(calc, true, 0), "");
    const double option0 = calc.figures.nf_sa_net_db;
    EXPECT_NEAR(option0 - option1, 17, 1e-9);  // -147 against -164 dBm/Hz
    ASSERT_EQ(set_internal_preamp(calc, false), "");
    EXPECT_FALSE(is_ticked(calc, chkIntPA));
    EXPECT_EQ(calc.figures.nf_sa_net_db, option0);
}

TEST(BandEdges, TheAnalyzersOwnMatchCountsOnlyWithoutAnExternalPreamp) {
    Calculator calc = started_calculator();
    ASSERT_EQ(choose_analyzer(calc, "Kelmar-4"), "");  // match rule R3: 3.6, 8, 18, 26.5 ...
    const auto has_match_edge = [](const std::vector<BandEdge>& edges) {
        return std::ranges::any_of(edges, [](const BandEdge& e) {
            return e.what == "Kelmar-4 match from 3.6 GHz" && e.freq_ghz == 3.6;
        });
    };
    EXPECT_TRUE(has_match_edge(band_edges(read_classic_setup(calc).choices, 1, 10)));
    EXPECT_FALSE(has_match_edge(band_edges(read_classic_setup(calc).choices, 4, 10)));
    ASSERT_EQ(set_external_preamp(calc, true), "");
    EXPECT_FALSE(has_match_edge(band_edges(read_classic_setup(calc).choices, 1, 10)));
    const std::vector<BandEdge> edges = band_edges(read_classic_setup(calc).choices, 0.01, 40);
    EXPECT_TRUE(std::ranges::is_sorted(edges, {}, &BandEdge::freq_ghz));
    EXPECT_TRUE(band_edges(read_classic_setup(started_calculator()).choices, 0.01, 100)
                    .empty());  // "User" has no bands
}

}  // namespace
}  // namespace orlavex::planning
