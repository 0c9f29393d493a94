// At every point of a sweep the classic figures are exactly what the window
// shows when an engineer types that point's values into it.
#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/field_entry.h"
#include "engine/measurement_setup.h"
#include "measure/gum.h"
#include "planning/point_notes.h"
#include "planning/sweep.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace orlavex::planning {
namespace {

using core::field_capacity;
using core::field_text;
using core::kept_decimals;

using enum Ctl;
using testing::base_session;
using testing::base_window;
using testing::Choices;
using testing::expect_same_figures;
using testing::type_into;

// Compares every in-range point of RESULT with the window driven by hand
// from CHOICES; returns how many points were compared.
int expect_points_match_window(const Choices& choices, const SweepResult& result) {
    const SweptInputInfo& over = info(result.over);
    const Ctl field = over.port                                ? match_field(*over.port)
                      : result.over == SweptInput::frequency   ? txtFreq
                      : result.over == SweptInput::dut_gain    ? txtDUT_Gain
                      : result.over == SweptInput::dut_nf      ? txtDUT_NF
                      : result.over == SweptInput::enr         ? txtENR
                      : result.over == SweptInput::analyzer_nf ? txtSA_Noise
                                                               : txtToff;
    int compared = 0;
    for (const SweepPoint& p : result.points) {
        if (!p.in_range) continue;
        Calculator window = base_window(choices);
        if (over.port) {
            EXPECT_EQ(set_match_form(window, *over.port, result.match_form), "");
        }
        if (result.over == SweptInput::analyzer_nf) {
            EXPECT_EQ(set_analyzer_noise_as_nf(window, true), "");
        }
        type_into(window, field,
                  field_text(p.swept_value, field_capacity(field), kept_decimals(field)));
        const std::string where = std::string(over.name) + " = " + std::to_string(p.swept_value);
        expect_same_figures(p.classic, window.figures, where);
        const measure::Budget budget = measure::gum_budget(measurement_setup(window));
        EXPECT_EQ(p.gum.U_db, budget.U_db) << where;
        ++compared;
    }
    return compared;
}

Sweep sweep_of(const Choices& choices, SweptInput over, double from, double to,
               std::size_t points) {
    Sweep s;
    s.base = base_session(choices);
    s.over = over;
    s.from = from;
    s.to = to;
    s.points = points;
    return s;
}

TEST(SweepAgreesWithWindow, RandomPointsOfEveryInputWithCatalogueInstruments) {
    // Two preamplifiers to choose from, banded noise and match on both sides.
    const Choices choices{.analyzer = "Elvane-4",
                          .noise_source = "NC346C",
                          .int_preamp = true,
                          .preamp_option = 1,
                          .typed = {{txtDUT_NF, "3.5"}, {txtDUT_Gain, "18"}}};
    struct Range {
        SweptInput over;
        double lo, hi;
    };
    const Range ranges[] = {{SweptInput::frequency, 0.01, 26.5}, {SweptInput::dut_gain, -10, 60},
                            {SweptInput::dut_nf, 0.3, 25},       {SweptInput::enr, 4, 25},
                            {SweptInput::toff, -40, 80},         {SweptInput::dut_in_match, 1, 4},
                            {SweptInput::dut_out_match, 1, 4}};
    std::mt19937 random(20261209);
    int compared = 0;
    for (const Range& r : ranges) {
        std::uniform_real_distribution<double> value(r.lo, r.hi);
        const double a = value(random), b = value(random);
        Sweep s = sweep_of(choices, r.over, a, b, 5);
        compared += expect_points_match_window(choices, run_sweep(s));
    }
    EXPECT_EQ(compared, 35);
}

TEST(SweepAgreesWithWindow, InputsOnlyAUserDefinedInstrumentLetsTheEngineerType) {
    const Choices choices{.typed = {{txtDUT_Gain, "12"}}};
    std::mt19937 random(7);
    int compared = 0;
    for (SweptInput over :
         {SweptInput::analyzer_nf, SweptInput::source_match, SweptInput::analyzer_match}) {
        for (MatchForm form : {MatchForm::vswr, MatchForm::return_loss}) {
            if (over == SweptInput::analyzer_nf && form == MatchForm::return_loss) continue;
            const bool rl = form == MatchForm::return_loss;
            std::uniform_real_distribution<double> value(over == SweptInput::analyzer_nf ? 8
                                                         : rl                            ? 6
                                                                                         : 1.01,
                                                         over == SweptInput::analyzer_nf ? 35
                                                         : rl                            ? 40
                                                                                         : 3);
            Sweep s = sweep_of(choices, over, value(random), value(random), 4);
            s.match_form = form;
            const SweepResult result = run_sweep(s);
            compared += expect_points_match_window(choices, result);
        }
    }
    EXPECT_EQ(compared, 20);
}

TEST(SweepAgreesWithWindow, LogFrequencySweepOnOneWindowEqualsFreshWindows) {
    // 41 points evaluated one after another on the same window copy: nothing
    // of one point may leak into the next.
    const Choices choices{
        .analyzer = "Kelmar-3", .noise_source = "NS346C", .int_preamp = true, .preamp_option = 0};
    Sweep s = sweep_of(choices, SweptInput::frequency, 0.01, 26.5, 41);
    s.spacing = Spacing::logarithmic;
    s.threads = 1;
    EXPECT_EQ(expect_points_match_window(choices, run_sweep(s)), 41);
}

// Every band edge of the analyzer's noise levels and input match and of the
// noise source's match, approached from below and met exactly.
TEST(SweepAgreesWithWindow, BothSidesOfEveryBandEdgeOfAnAnalyzerAndANoiseSource) {
    const Choices choices{.analyzer = "Aravel-6", .noise_source = "NC346V", .int_preamp = true};
    const auto* analyzer = catalogue::find_analyzer("Aravel-6");
    const auto* source = catalogue::find_noise_source("NC346V");
    std::set<double> edges;
    for (double e : analyzer->noise.edges)
        edges.insert(e);
    for (double e : analyzer->match.input_vswr.edges)
        edges.insert(e);
    for (double e : source->output_vswr.edges)
        edges.insert(e);
    const double limit = 60;  // NC346V; Aravel-6 reaches 67

    Sweep across = sweep_of(choices, SweptInput::frequency, 0.5, limit, 3);
    std::set<double> reported;
    for (const BandEdge& e : run_sweep(across).band_edges)
        reported.insert(e.freq_ghz);

    int compared = 0;
    for (double e : edges) {
        if (e > limit) continue;
        EXPECT_TRUE(reported.contains(e)) << e << " GHz missing from the band edges";
        Sweep s = sweep_of(choices, SweptInput::frequency, e - 0.001, e, 2);
        const SweepResult result = run_sweep(s);
        compared += expect_points_match_window(choices, result);
        const SweepPoint& below = result.points[0];
        const SweepPoint& at = result.points[1];
        EXPECT_NE(below.note.find("noise band " + band_span(analyzer->noise.edges, e - 0.001)),
                  std::string::npos)
            << below.note;
        EXPECT_NE(at.note.find("noise band " + band_span(analyzer->noise.edges, e)),
                  std::string::npos)
            << at.note;
    }
    EXPECT_EQ(compared, 2 * static_cast<int>(std::ranges::count_if(
                                edges, [&](double e) { return e <= limit; })));
}

TEST(SweepAgreesWithWindow, TheGuaranteedNoiseLevelChangesAtItsEdge) {
    // Aravel-6 with preamp: -161 dBm/Hz from 18 GHz, -160 from 23 GHz.
    const Choices choices{.analyzer = "Aravel-6", .noise_source = "NC346V", .int_preamp = true};
    Sweep s = sweep_of(choices, SweptInput::frequency, 22.999, 23, 2);
    const SweepResult r = run_sweep(s);
    EXPECT_NEAR(r.points[1].classic.nf_sa_net_db - r.points[0].classic.nf_sa_net_db, 1.0, 1e-9);
}

}  // namespace
}  // namespace orlavex::planning
