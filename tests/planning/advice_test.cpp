// Ranking noise sources and preamp choices over a band.
#include "planning/advice.h"
#include "catalogue/catalogue.h"
#include "engine/classic_reading.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace orlavex::planning {
namespace {

using enum Ctl;
using testing::base_session;
using testing::base_window;

bool mentions(const std::string& text, std::string_view what) {
    return text.find(what) != std::string::npos;
}

// A low-gain DUT on an analyzer with one internal preamp, 2 to 26 GHz: the
// 18 GHz noise sources cannot cover the band, and without the preamp the
// analyzer's noise swamps the DUT's.
class LowGainDut : public ::testing::Test {
  protected:
    LowGainDut() {
        sweep.base = base_session(choices);
        sweep.from = 2;
        sweep.to = 26;
        sweep.points = 13;
    }
    // The sweep with SOURCE and the internal preamp chosen in the window, as
    // an engineer chooses them there.
    Sweep chosen_in_window(const std::string& source, bool int_preamp) const {
        Calculator window = base_window(choices);
        EXPECT_EQ(choose_noise_source(window, source), "");
        EXPECT_EQ(set_internal_preamp(window, int_preamp), "");
        Sweep own = sweep;
        own.base = classic_session(window);
        return own;
    }
    const testing::Choices choices{.analyzer = "Aravel-4",
                                   .typed = {{txtDUT_NF, "3"}, {txtDUT_Gain, "10"}}};
    Sweep sweep;
};

TEST_F(LowGainDut, EveryNoiseSourceAndUserIsTriedWithAndWithoutThePreamp) {
    const Advice advice = advise(sweep);
    ASSERT_EQ(advice.ranking.size(), 2 * (22 + 1u));
    std::map<std::string, int> seen;
    for (const AdviceEntry& e : advice.ranking)
        ++seen[e.candidate.noise_source];
    EXPECT_EQ(seen.size(), 23u);
    EXPECT_EQ(seen["User"], 2);
    for (std::size_t i = 0; i < advice.ranking.size(); ++i) {
        EXPECT_EQ(advice.ranking[i].rank, i + 1);
        EXPECT_FALSE(advice.ranking[i].reason.empty());
    }
}

TEST_F(LowGainDut, ASeparateMeasurementSourceIsRankedTooWithinItsBand) {
    sweep.bench.meas_source = MeasurementSourceInput{.model = "NS346D"};
    const Advice advice = advise(sweep);
    std::size_t tried = 0;
    for (const AdviceEntry& e : advice.ranking) {
        if (!e.candidate.measurement_source) continue;
        ++tried;
        EXPECT_TRUE(mentions(e.candidate.label(), "measurement source ")) << e.candidate.label();
        // The measurement source must cover the band as the calibration
        // source must: a model that stops below 26 GHz, or a waveguide one,
        // leaves points out.
        const auto* model = catalogue::find_noise_source(e.candidate.noise_source);
        ASSERT_NE(model, nullptr);
        const bool covers =
            catalogue::upper_frequency(*model) >= 26 && catalogue::lower_frequency(*model) <= 2;
        EXPECT_EQ(e.in_range == e.points, covers) << e.candidate.label();
    }
    EXPECT_EQ(tried, 2 * 22u);
}

TEST_F(LowGainDut, ReasonsSpeakOfLampsOnlyWhereTheyWereRated) {
    // A loss after the DUT with the preamp on has no classic figures.
    sweep.bench.loss_out.loss_db = 1;
    const Advice advice = advise(sweep);
    bool some_unrated = false;
    for (const AdviceEntry& e : advice.ranking) {
        if (e.evaluated == 0) continue;
        const bool speaks_of_green = mentions(e.reason, "lamps green");
        EXPECT_EQ(speaks_of_green, e.rated > 0) << e.candidate.label() << ": " << e.reason;
        if (e.rated == 0) {
            some_unrated = true;
            EXPECT_TRUE(mentions(e.reason, "no lamps rated")) << e.reason;
        }
    }
    EXPECT_TRUE(some_unrated);
}

TEST_F(LowGainDut, SourcesThatCoverTheBandComeFirstAndThePreampHelpsEachOfThem) {
    const Advice advice = advise(sweep);
    const auto& r = advice.ranking;
    const auto covers = [](const AdviceEntry& e) { return e.evaluated == e.points; };
    // Covering entries form the head of the ranking.
    const auto first_gap = std::ranges::find_if_not(r, covers);
    EXPECT_TRUE(std::all_of(first_gap, r.end(), [&](const AdviceEntry& e) { return !covers(e); }));
    for (const AdviceEntry& e : r) {
        const auto* model = catalogue::find_noise_source(e.candidate.noise_source);
        // A waveguide source covers none of a 2 to 26 GHz band.
        const bool reaches = model == nullptr || (catalogue::upper_frequency(*model) >= 26 &&
                                                  catalogue::lower_frequency(*model) <= 2);
        EXPECT_EQ(covers(e), reaches) << e.candidate.label();
        if (!reaches) {
            EXPECT_TRUE(mentions(e.reason, "out of range")) << e.reason;
        }
    }
    // Within the covering head: sorted by worst U, and the preamp on beats off.
    for (auto it = r.begin(); it + 1 < first_gap; ++it) {
        EXPECT_LE(std::llround(it->worst_U_db * 100), std::llround((it + 1)->worst_U_db * 100));
    }
    // The preamp helps every source that has points in range (the others tie).
    std::map<std::string, std::size_t> rank_on, rank_off;
    for (const AdviceEntry& e : r) {
        if (e.in_range == 0) continue;
        (e.candidate.int_preamp ? rank_on : rank_off)[e.candidate.noise_source] = e.rank;
    }
    EXPECT_EQ(rank_on.size(), 17u);  // the 16 coaxial sources and "User"
    for (const auto& [source, on] : rank_on) {
        EXPECT_LT(on, rank_off[source]) << source;
    }
    EXPECT_TRUE(r.front().candidate.int_preamp);
    EXPECT_TRUE(mentions(r.front().reason, "Best")) << r.front().reason;
}

// A reason never claims fewer green points than the best has when the counts
// are equal: ties read as ties. A high-gain DUT below 18 GHz makes many
// sources tie (the ENR uncertainty and the DUT dominate).
TEST(AdviceReasons, AgreeWithTheFiguresTheyCompare) {
    Sweep sweep;
    sweep.base =
        base_session({.analyzer = "Aravel-3", .typed = {{txtDUT_NF, "2"}, {txtDUT_Gain, "28"}}});
    sweep.from = 1;
    sweep.to = 18;
    sweep.points = 9;
    const std::vector<AdviceEntry> r = advise(sweep).ranking;
    const AdviceEntry& best = r.front();
    std::size_t ties = 0;
    for (const AdviceEntry& e : r) {
        if (std::llround(e.worst_U_db * 100) == std::llround(best.worst_U_db * 100) &&
            e.all_green == best.all_green && &e != &best) {
            ++ties;
        }
        if (mentions(e.reason, "fewer green points")) {
            EXPECT_LT(e.all_green, best.all_green) << e.reason;
        }
        if (mentions(e.reason, "As good as the best")) {
            EXPECT_EQ(e.all_green, best.all_green) << e.reason;
            EXPECT_EQ(std::llround(e.worst_U_db * 100), std::llround(best.worst_U_db * 100));
        }
    }
    EXPECT_GT(ties, 0u) << "the case no longer has the ties it is meant to show";
}

// In a decimal-comma window the reasons write their numbers with a comma;
// nothing else in them changes.
TEST_F(LowGainDut, ReasonsWriteNumbersWithTheWindowsDecimalSeparator) {
    const Advice with_point = advise(sweep);
    sweep.decimal_separator = ',';
    const Advice with_comma = advise(sweep);
    ASSERT_EQ(with_point.ranking.size(), with_comma.ranking.size());
    std::size_t numbers = 0;
    for (std::size_t i = 0; i < with_point.ranking.size(); ++i) {
        std::string expected = with_point.ranking[i].reason;
        for (std::size_t k = 1; k + 1 < expected.size(); ++k) {
            if (expected[k] == '.' && std::isdigit(static_cast<unsigned char>(expected[k - 1])) &&
                std::isdigit(static_cast<unsigned char>(expected[k + 1]))) {
                expected[k] = ',';
                ++numbers;
            }
        }
        EXPECT_EQ(with_comma.ranking[i].reason, expected);
    }
    EXPECT_GT(numbers, 0u) << "no reason quoted a decimal number";
}

TEST_F(LowGainDut, AnEntrysFiguresAreThoseOfItsOwnSweep) {
    const Advice advice = advise(sweep);
    const AdviceEntry& best = advice.ranking.front();
    const SweepResult result = run_sweep(chosen_in_window(best.candidate.noise_source, true));
    double worst = 0;
    std::size_t green = 0;
    for (const SweepPoint& p : result.points) {
        worst = std::max(worst, p.gum.U_db);
        if (p.all_green()) ++green;
    }
    EXPECT_EQ(best.worst_U_db, worst);
    EXPECT_EQ(best.all_green, green);
    EXPECT_TRUE(mentions(best.reason, std::to_string(green) + " of 13 points")) << best.reason;
}

// The losses around the DUT and a separate measurement source are part of
// the bench the ranking is made for: each entry is its own sweep with them.
TEST_F(LowGainDut, TheBenchIsRankedAsGiven) {
    sweep.bench.loss_in = {.loss_db = 0.5, .temperature_k = 350, .unc_db = 0.2};
    sweep.bench.meas_source = MeasurementSourceInput{.enr_db = 15, .enr_unc_db = 0.3};
    const Advice advice = advise(sweep);
    for (const AdviceEntry& e : {advice.ranking.front(), advice.ranking[3]}) {
        SCOPED_TRACE(e.candidate.label());
        Sweep own = chosen_in_window(
            e.candidate.measurement_source ? std::string("User") : e.candidate.noise_source,
            e.candidate.int_preamp);
        if (e.candidate.measurement_source)
            own.bench.meas_source = MeasurementSourceInput{.model = e.candidate.noise_source};
        double worst = -1;
        for (const SweepPoint& p : run_sweep(own).points)
            if (p.in_range && p.classic.valid && p.gum.valid) worst = std::max(worst, p.gum.U_db);
        EXPECT_EQ(e.worst_U_db, worst);
    }
}

// A loss after the DUT with a preamplifier in the chain leaves the window
// without classic figures, but the budget holds: the preamp choices are
// still ranked by their uncertainty.
TEST_F(LowGainDut, ALossAfterTheDutStillRanksThePreampChoices) {
    sweep.bench.loss_out = {.loss_db = 1, .temperature_k = 77, .unc_db = 0.05};
    const Advice advice = advise(sweep);
    const AdviceEntry& best = advice.ranking.front();
    EXPECT_TRUE(best.candidate.int_preamp) << best.reason;
    EXPECT_EQ(best.evaluated, best.points) << best.reason;
    const Sweep own = chosen_in_window(best.candidate.noise_source, true);
    double worst = 0;
    for (const SweepPoint& p : run_sweep(own).points) {
        EXPECT_FALSE(p.classic.valid) << p.note;
        worst = std::max(worst, p.gum.U_db);
    }
    EXPECT_EQ(best.worst_U_db, worst);
    EXPECT_LT(worst, 1.0);
}

TEST_F(LowGainDut, TheRankingDoesNotDependOnTheThreads) {
    sweep.threads = 1;
    const Advice one = advise(sweep);
    sweep.threads = 2;
    const Advice two = advise(sweep);
    ASSERT_EQ(one.ranking.size(), two.ranking.size());
    for (std::size_t i = 0; i < one.ranking.size(); ++i) {
        EXPECT_EQ(one.ranking[i].candidate.label(), two.ranking[i].candidate.label());
        EXPECT_EQ(one.ranking[i].worst_U_db, two.ranking[i].worst_U_db);
    }
}

TEST(AdvicePreamps, AnAnalyzerWithTwoPreampsOffersBothAndOneWithoutOffersNone) {
    const auto captions = [](const core::ClassicSession& base) {
        std::vector<std::string> labels;
        for (Candidate c : preamp_choices(base.setup.choices)) {
            c.noise_source = "NS346A";
            labels.push_back(c.label());
        }
        return labels;
    };
    EXPECT_EQ(captions(base_session({.analyzer = "Galder-3"})),
              (std::vector<std::string>{"NS346A, Int PA off", "NS346A, Int PA on (LNA-1 Preamp)",
                                        "NS346A, Int PA on (LNA-3 Preamp)"}));
    EXPECT_EQ(captions(base_session({.analyzer = "Lorwen-7"})),
              (std::vector<std::string>{"NS346A, Int PA off"}));
    EXPECT_EQ(captions(base_session({})), (std::vector<std::string>{"NS346A, Int PA off"}));
}

}  // namespace
}  // namespace orlavex::planning
