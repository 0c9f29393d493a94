// The analyzer chain: noise given as a figure or a level, behind an
// external preamplifier or alone.
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/units.h"

#include <gtest/gtest.h>

namespace orlavex::measure {
namespace {

TEST(AnalyzerChain, NoiseFormsGiveTheSameAnalyzer) {
    EXPECT_EQ(analyzer_noise_figure(11.5, NoiseForm::noise_figure), 11.5);
    EXPECT_EQ(analyzer_noise_figure(-150, NoiseForm::noise_level), noise_figure_from_level(-150));
    // A level is below 0 dBm/Hz whichever sign it is written with.
    EXPECT_EQ(analyzer_noise_figure(150, NoiseForm::noise_level), noise_figure_from_level(-150));
}

TEST(AnalyzerChain, PreampComesFirstInFriis) {
    EXPECT_EQ(net_analyzer_factor(11.5, std::nullopt), lin(11.5));
    const double f = net_analyzer_factor(11.5, ExternalPreamp{.nf_db = 5, .gain_db = 20});
    EXPECT_EQ(f, cascade(lin(5), lin(11.5), lin(20)));
    EXPECT_NEAR(db(f), 5.18, 0.005);
    // Without gain the preamplifier only adds its own noise.
    EXPECT_NEAR(net_analyzer_factor(10, ExternalPreamp{.nf_db = 3, .gain_db = 0}),
                lin(3) + lin(10) - 1, 1e-12);
}

TEST(AnalyzerChain, SignedLevelKeepsItsSign) {
    EXPECT_NEAR(noise_figure_from_signed_level(-150), 26.22, 1e-12);
    EXPECT_NEAR(noise_figure_from_signed_level(5), 181.22, 1e-12);
    EXPECT_EQ(noise_figure_from_level(-150), noise_figure_from_signed_level(-150));
}

}  // namespace
}  // namespace orlavex::measure
