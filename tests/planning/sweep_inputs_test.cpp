// What a sweep takes besides the base window: its range and spacing, the
// instruments' frequency limits, ENR tables, DUT S-parameters and a
// frequency-converting DUT.
#include "core/field_entry.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/sweep.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <cmath>

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

Sweep frequency_sweep(const Choices& choices, double from, double to, std::size_t points) {
    Sweep s;
    s.base = base_session(choices);
    s.from = from;
    s.to = to;
    s.points = points;
    return s;
}

bool mentions(const std::string& note, std::string_view what) {
    return note.find(what) != std::string::npos;
}

double vswr_of(double gamma) {
    return (1 + gamma) / (1 - gamma);
}

std::string text_for(Ctl field, double value) {
    return field_text(value, field_capacity(field), kept_decimals(field));
}

// ---- Range and spacing -------------------------------------------------------

TEST(SweepValues, LinearAndLogarithmicSpacingEndExactlyOnTheStop) {
    Sweep s;
    s.from = 0.1;
    s.to = 26.5;
    s.points = 7;
    std::vector<double> v = sweep_values(s);
    ASSERT_EQ(v.size(), 7u);
    EXPECT_EQ(v.front(), 0.1);
    EXPECT_EQ(v.back(), 26.5);
    EXPECT_NEAR(v[1] - v[0], v[6] - v[5], 1e-12);

    s.spacing = Spacing::logarithmic;
    v = sweep_values(s);
    EXPECT_EQ(v.front(), 0.1);
    EXPECT_EQ(v.back(), 26.5);
    EXPECT_NEAR(v[1] / v[0], v[6] / v[5], 1e-12);

    s.from = 5;
    s.points = 1;
    EXPECT_EQ(sweep_values(s), std::vector<double>{5});
}

TEST(SweepValues, FieldTextIsWhatTheFieldTakes) {
    EXPECT_EQ(field_text(12.3456, 6), "12.346");
    EXPECT_EQ(field_text(0.0100791, 6), ".01008");
    EXPECT_EQ(field_text(-99.999, 6), "-100");
    EXPECT_EQ(field_text(48.616, 6, 2), "48.62");
    EXPECT_EQ(field_text(3.0, 6), "3");
    EXPECT_EQ(field_text(-0.0001, 6, 2), "0");
    EXPECT_EQ(field_text(1e7, 6), "");
    EXPECT_EQ(field_text(NAN, 6), "");
    // Halves round as printf rounds the exact binary value: 0.125 is a true
    // half (to even), 2.675 lies just below one, 1.0000005 just above.
    EXPECT_EQ(field_text(0.125, 6, 2), "0.12");
    EXPECT_EQ(field_text(0.375, 6, 2), "0.38");
    EXPECT_EQ(field_text(2.675, 6, 2), "2.67");
    EXPECT_EQ(field_text(-2.675, 6, 2), "-2.67");
    EXPECT_EQ(field_text(1.0000005, 8, 6), "1.000001");
}

TEST(SweepErrors, ASweepTheWindowCannotCarryOutIsRefusedWithItsReason) {
    const auto message = [](Sweep s) -> std::string {
        try {
            run_sweep(s);
        } catch (const SweepError& e) {
            return e.what();
        }
        return "accepted";
    };
    Sweep s = frequency_sweep({.analyzer = "Aravel-4"}, 1, 10, 3);
    s.over = SweptInput::analyzer_nf;
    EXPECT_TRUE(mentions(message(s), "Aravel-4")) << message(s);
    EXPECT_TRUE(mentions(message(s), "User")) << message(s);

    s = frequency_sweep({.noise_source = "NS346A"}, 1, 3, 3);
    s.over = SweptInput::source_match;
    EXPECT_TRUE(mentions(message(s), "NS346A")) << message(s);
    // In return loss too: the instrument is named, not the locked choice.
    s.match_form = MatchForm::return_loss;
    EXPECT_TRUE(mentions(message(s), "NS346A")) << message(s);
    s = frequency_sweep({.analyzer = "Aravel-3"}, 10, 30, 3);
    s.over = SweptInput::analyzer_match;
    s.match_form = MatchForm::return_loss;
    EXPECT_TRUE(mentions(message(s), "the analyzer Aravel-3 fixes")) << message(s);

    s = frequency_sweep({}, 0, 10, 3);
    s.spacing = Spacing::logarithmic;
    EXPECT_TRUE(mentions(message(s), "logarithmic")) << message(s);

    s = frequency_sweep({}, 1, 10, 0);
    EXPECT_TRUE(mentions(message(s), "at least one point")) << message(s);

    s = frequency_sweep({}, 1, 10, 3);
    s.over = SweptInput::enr;
    s.enr_table = datafiles::parse_enr("1 GHz 15\n2 GHz 16\n", "t.enr");
    EXPECT_TRUE(mentions(message(s), "ENR table")) << message(s);
}

// ---- Frequency limits and the window's bounds ----------------------------------

TEST(SweepRange, PointsAboveTheNoiseSourcesLimitAreReportedNotClamped) {
    const SweepResult r =
        run_sweep(frequency_sweep({.analyzer = "Aravel-4", .noise_source = "NS346B"}, 16, 20, 5));
    ASSERT_EQ(r.points.size(), 5u);
    for (const SweepPoint& p : r.points) {
        const bool above = p.swept_value > 18;
        EXPECT_EQ(p.in_range, !above) << p.swept_value;
        if (above) {
            EXPECT_TRUE(mentions(p.note, "NS346B")) << p.note;
            EXPECT_TRUE(mentions(p.note, "18 GHz")) << p.note;
            EXPECT_FALSE(p.gum.valid);
        } else {
            EXPECT_EQ(p.freq_ghz, p.swept_value);
            EXPECT_TRUE(p.classic.valid);
            EXPECT_TRUE(p.gum.valid);
        }
    }
}

TEST(SweepRange, PointsAboveTheAnalyzersLimitOrBelowTheLowestFrequencyAreReported) {
    SweepResult r = run_sweep(frequency_sweep({.analyzer = "Aravel-1"}, 7, 9, 3));
    EXPECT_TRUE(r.points[1].in_range);
    EXPECT_FALSE(r.points[2].in_range);
    EXPECT_TRUE(mentions(r.points[2].note, "Aravel-1")) << r.points[2].note;
    EXPECT_TRUE(mentions(r.points[2].note, "9 GHz is above the analyzer Aravel-1's limit of 8 GHz"))
        << r.points[2].note;

    r = run_sweep(frequency_sweep({}, 0.005, 0.01, 2));
    EXPECT_FALSE(r.points[0].in_range);
    EXPECT_TRUE(mentions(r.points[0].note, "below the lowest frequency")) << r.points[0].note;
    EXPECT_TRUE(r.points[1].in_range);
}

TEST(SweepRange, AValueTheWindowWouldBoundOrCannotHoldIsReported) {
    Sweep s = frequency_sweep({}, -120, 120, 3);
    s.over = SweptInput::dut_gain;
    SweepResult r = run_sweep(s);
    EXPECT_FALSE(r.points[0].in_range);
    EXPECT_TRUE(mentions(r.points[0].note, "it would use -100 dB")) << r.points[0].note;
    EXPECT_TRUE(r.points[1].in_range);
    EXPECT_FALSE(r.points[2].in_range);

    s.from = 50;
    s.to = 1e7;
    s.points = 2;
    r = run_sweep(s);
    EXPECT_TRUE(r.points[0].in_range);
    EXPECT_FALSE(r.points[1].in_range);
    EXPECT_TRUE(mentions(r.points[1].note, "does not fit")) << r.points[1].note;
}

// ---- ENR tables -------------------------------------------------------------------

constexpr std::string_view small_table =
    "[Filetype ENR]\n"
    "! freq ENR unc on_mag on_deg off_mag off_deg\n"
    "1 GHz 15.0 0.10 0.05 0 0.10 0\n"
    "3 GHz 16.0 0.30 0.15 0 0.05 0\n";

TEST(SweepEnrTable, ReplacesENRUncertaintyAndSourceMatchAtEveryPoint) {
    const Choices choices{.analyzer = "Aravel-4", .int_preamp = true};
    Sweep s = frequency_sweep(choices, 0.5, 4, 8);  // 0.5, 1, 1.5, ... 4
    s.enr_table = datafiles::parse_enr(small_table, "small.enr");
    const SweepResult r = run_sweep(s);
    ASSERT_EQ(r.points.size(), 8u);
    struct Expected {
        double enr, unc, gamma;
        std::string_view note;
    };
    // The source match is the worse of the on and off reflections.
    const Expected expected[] = {{15.0, 0.10, 0.10, "held from the nearest record, the first"},
                                 {15.0, 0.10, 0.10, "record at 1 GHz"},
                                 {15.25, 0.15, 0.0875, "between records"},
                                 {15.5, 0.20, 0.10, "between records"},
                                 {15.75, 0.25, 0.125, "between records"},
                                 {16.0, 0.30, 0.15, "record at 3 GHz"},
                                 {16.0, 0.30, 0.15, "held from the nearest record, the last"},
                                 {16.0, 0.30, 0.15, "held from the nearest record, the last"}};
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        const SweepPoint& p = r.points[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(p.swept_value);
        ASSERT_TRUE(p.in_range) << p.note;
        EXPECT_NEAR(p.enr_db, e.enr, 1e-12);
        EXPECT_NEAR(p.enr_unc_db, e.unc, 1e-12);
        EXPECT_NEAR(p.source_vswr, vswr_of(e.gamma), 1e-4);
        EXPECT_TRUE(mentions(p.note, e.note)) << p.note;
        EXPECT_EQ(p.held, e.note.starts_with("held"));

        // The window with those values typed in shows the same figures.
        Calculator window = base_window(choices);
        type_into(window, txtENR, text_for(txtENR, e.enr));
        type_into(window, txtENR_Unc, text_for(txtENR_Unc, e.unc));
        type_into(window, txtNS_Match, text_for(txtNS_Match, vswr_of(e.gamma)));
        type_into(window, txtFreq, text_for(txtFreq, p.swept_value));
        expect_same_figures(p.classic, window.figures, "table point");
    }
}

TEST(SweepEnrTable, ReflectionDataStandInForACatalogueSourceWhoseLimitStillHolds) {
    Sweep s = frequency_sweep({.analyzer = "Aravel-4", .noise_source = "NS346B"}, 17, 19, 3);
    s.enr_table = datafiles::parse_enr(small_table, "small.enr");
    const SweepResult r = run_sweep(s);
    EXPECT_TRUE(r.points[1].in_range);
    EXPECT_TRUE(mentions(r.points[1].note, "source match from the table (NS346B)"))
        << r.points[1].note;
    EXPECT_NEAR(r.points[1].source_vswr, vswr_of(0.15), 1e-4);
    EXPECT_FALSE(r.points[2].in_range);
    EXPECT_TRUE(mentions(r.points[2].note, "NS346B's limit of 18 GHz")) << r.points[2].note;
}

TEST(SweepEnrTable, WithoutReflectionDataTheCatalogueSourceKeepsItsMatch) {
    Sweep s = frequency_sweep({.noise_source = "NS346A"}, 4.999, 5, 2);
    s.enr_table = datafiles::parse_enr("1 GHz 15.0 0.2\n9 GHz 17.0 0.4\n", "plain.enr");
    const SweepResult r = run_sweep(s);
    EXPECT_NEAR(r.points[0].source_vswr, 1.15, 1e-12);
    EXPECT_NEAR(r.points[1].source_vswr, 1.25, 1e-12);
    EXPECT_NEAR(r.points[1].enr_db, 16.0, 1e-12);
    EXPECT_NEAR(r.points[1].enr_unc_db, 0.3, 1e-12);
    EXPECT_TRUE(mentions(r.points[1].note, "NS346A: match band from 5 GHz")) << r.points[1].note;
}

TEST(SweepEnrTable, TheExampleTableCoversItsBand) {
    Sweep s = frequency_sweep({.analyzer = "Aravel-3", .int_preamp = true}, 0.01, 18, 60);
    s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    const SweepResult r = run_sweep(s);
    for (const SweepPoint& p : r.points) {
        ASSERT_TRUE(p.in_range) << p.note;
        EXPECT_GE(p.enr_db, 14.5);
        EXPECT_LE(p.enr_db, 15.52);
        EXPECT_TRUE(p.gum.valid);
    }
}

// ---- DUT S-parameters --------------------------------------------------------------

TEST(SweepSParameters, EveryTouchstoneFormatGivesTheSameGainAndMatch) {
    std::vector<SweepResult> results;
    for (const char* file : {"dut_ma.s2p", "dut_db.s2p", "dut_ri.s2p"}) {
        Sweep s = frequency_sweep({}, 1, 4, 7);
        s.dut_sparameters =
            datafiles::read_touchstone(std::string(ORLAVEX_TEST_DATA_DIR "/") + file);
        results.push_back(run_sweep(s));
    }
    for (std::size_t i = 0; i < results[0].points.size(); ++i) {
        for (const SweepResult& other : {results[1], results[2]}) {
            expect_same_figures(other.points[i].classic, results[0].points[i].classic, "format");
            EXPECT_EQ(other.points[i].dut_gain_db, results[0].points[i].dut_gain_db);
        }
    }
    // At 3 GHz: S21 8.913 (19.00 dB), |S11| 0.2 (VSWR 1.5), |S22| 0.251.
    const SweepPoint& p = results[0].points[4];
    ASSERT_EQ(p.swept_value, 3);
    EXPECT_EQ(p.dut_gain_db, 19.0);
    EXPECT_NEAR(p.setup.gamma_dut_in, 0.2, 1e-4);
    EXPECT_NEAR(p.setup.gamma_dut_out, 0.251, 1e-4);
    EXPECT_TRUE(mentions(p.note, "S-parameters: record at 3 GHz")) << p.note;

    Calculator window = base_window({});
    type_into(window, txtDUT_Gain, "19");
    type_into(window, txtDUT_InMatch, text_for(txtDUT_InMatch, 1.5));
    type_into(window, txtDUT_OutMatch, text_for(txtDUT_OutMatch, vswr_of(0.251)));
    type_into(window, txtFreq, "3");
    expect_same_figures(p.classic, window.figures, "S-parameters at 3 GHz");
}

TEST(SweepSParameters, AOnePortFileGivesTheInputMatchOnly) {
    Sweep s = frequency_sweep({.typed = {{txtDUT_Gain, "22"}}}, 1, 4, 4);
    s.dut_sparameters = datafiles::read_touchstone(ORLAVEX_TEST_DATA_DIR "/dut_input.s1p");
    const SweepResult r = run_sweep(s);
    EXPECT_EQ(r.points[2].dut_gain_db, 22);
    EXPECT_NEAR(r.points[2].setup.gamma_dut_in, 0.2, 1e-4);
    EXPECT_NEAR(r.points[3].setup.gamma_dut_in, 0.398, 1e-4);
    // The output match stays as the base window has it.
    EXPECT_EQ(r.points[2].setup.gamma_dut_out, r.points[3].setup.gamma_dut_out);
}

// ---- Frequency-converting DUT ------------------------------------------------------

TEST(SweepConversion, WithAFixedIFTheAnalyzerStaysPut) {
    const Choices choices{.analyzer = "Aravel-4", .noise_source = "NS346C", .int_preamp = true};
    Sweep s = frequency_sweep(choices, 2, 18, 5);
    s.conversion = {ConversionMode::fixed_if, 1.5, 0};
    const SweepResult r = run_sweep(s);
    for (const SweepPoint& p : r.points) {
        ASSERT_TRUE(p.in_range) << p.note;
        EXPECT_EQ(p.analyzer_freq_ghz, 1.5);
        EXPECT_EQ(p.classic.nf_sa_net_db, r.points[0].classic.nf_sa_net_db);
        EXPECT_TRUE(p.setup.freq_converting);
        EXPECT_TRUE(mentions(p.note, "Aravel-4 at 1.5 GHz")) << p.note;

        Calculator window = base_window({.analyzer = "Aravel-4",
                                         .noise_source = "NS346C",
                                         .int_preamp = true,
                                         .freq_conv = true});
        type_into(window, txtFreq2, "1.5");
        type_into(window, txtFreq, text_for(txtFreq, p.swept_value));
        expect_same_figures(p.classic, window.figures, "fixed IF");
    }
    for (const BandEdge& e : r.band_edges) {
        EXPECT_FALSE(mentions(e.what, "Aravel-4")) << e.what;
    }
}

TEST(SweepConversion, WithAFixedLOTheAnalyzerFollowsTheOutput) {
    const Choices choices{.analyzer = "Aravel-4", .noise_source = "NS346C", .int_preamp = true};
    Sweep s = frequency_sweep(choices, 2, 18, 5);  // outputs 18, 14, 10, 6, 2
    s.conversion = {ConversionMode::fixed_lo, 0, 20};
    const SweepResult r = run_sweep(s);
    const double outputs[] = {18, 14, 10, 6, 2};
    for (std::size_t i = 0; i < 5; ++i) {
        const SweepPoint& p = r.points[i];
        ASSERT_TRUE(p.in_range) << p.note;
        EXPECT_EQ(p.analyzer_freq_ghz, outputs[i]);
        Calculator window = base_window({.analyzer = "Aravel-4",
                                         .noise_source = "NS346C",
                                         .int_preamp = true,
                                         .freq_conv = true});
        type_into(window, txtFreq2, text_for(txtFreq2, outputs[i]));
        type_into(window, txtFreq, text_for(txtFreq, p.swept_value));
        expect_same_figures(p.classic, window.figures, "fixed LO");
    }
    // Aravel-4's noise edge at 8 GHz is crossed where the input is 12 GHz.
    EXPECT_TRUE(std::ranges::any_of(r.band_edges, [](const BandEdge& e) {
        return e.freq_ghz == 12 && mentions(e.what, "Aravel-4 noise level from 8 GHz (output)");
    }));
}

TEST(SweepConversion, AnOutputAboveTheAnalyzersLimitIsReported) {
    Sweep s = frequency_sweep({.analyzer = "Aravel-1"}, 2, 18, 5);  // outputs 18 ... 2
    s.conversion = {ConversionMode::fixed_lo, 0, 20};
    const SweepResult r = run_sweep(s);
    EXPECT_FALSE(r.points[0].in_range);
    EXPECT_TRUE(mentions(r.points[0].note, "the output, 18 GHz, is above the analyzer Aravel-1"))
        << r.points[0].note;
    EXPECT_TRUE(r.points[3].in_range);
}

TEST(SweepConversion, CalibrationUsesTheTablesENRAtTheOutputFrequency) {
    Sweep s = frequency_sweep({}, 3, 3, 1);
    s.conversion = {ConversionMode::fixed_if, 1, 0};
    s.enr_table = datafiles::parse_enr(small_table, "small.enr");
    const SweepPoint p = run_sweep(s).points.at(0);
    EXPECT_EQ(p.setup.enr_meas_db, 16.0);
    EXPECT_EQ(p.setup.enr_cal_db, 15.0);
}

std::size_t same_count(const SweepResult& r) {
    std::size_t n = 0;
    for (std::size_t i = 1; i < r.points.size(); ++i) {
        const auto& a = r.points[i - 1].setup;
        const auto& b = r.points[i].setup;
        n += a.analyzer_nf_db == b.analyzer_nf_db && a.gamma_source == b.gamma_source &&
             a.gamma_analyzer == b.gamma_analyzer;
    }
    return n;
}

// ---- Threads and the Monte Carlo ------------------------------------------------------

TEST(SweepThreads, OneAndTwoThreadsGiveTheSameSweepMonteCarloIncluded) {
    Sweep s = frequency_sweep(
        {.analyzer = "Galder-4", .noise_source = "NC346C", .int_preamp = true}, 0.5, 26, 9);
    s.monte_carlo = {true, 2000, 99};
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
    s.threads = 1;
    const SweepResult one = run_sweep(s);
    s.threads = 2;
    const SweepResult two = run_sweep(s);
    for (std::size_t i = 0; i < one.points.size(); ++i) {
        const SweepPoint &a = one.points[i], &b = two.points[i];
        expect_same_figures(a.classic, b.classic, "threads");
        EXPECT_EQ(a.gum.U_db, b.gum.U_db);
        ASSERT_TRUE(a.monte_carlo && b.monte_carlo);
        EXPECT_EQ(a.monte_carlo->interval_lo_db, b.monte_carlo->interval_lo_db);
        EXPECT_EQ(a.monte_carlo->interval_hi_db, b.monte_carlo->interval_hi_db);
        EXPECT_EQ(a.monte_carlo->trials, 2000u);
        EXPECT_EQ(a.note, b.note);
        // Neighbours with the same set-up share results: each point's are
        // still exactly those of its own set-up.
        EXPECT_EQ(a.gum.U_db, measure::gum_budget(a.setup).U_db);
        const measure::MonteCarloResult own = measure::monte_carlo(a.setup, {2000, 99, 1, false});
        EXPECT_EQ(a.monte_carlo->interval_lo_db, own.interval_lo_db);
        EXPECT_EQ(a.monte_carlo->std_db, own.std_db);
    }
    // Galder-4's bands make some neighbours share a set-up and others not.
    EXPECT_TRUE(same_count(one) > 0 && same_count(one) < one.points.size() - 1);
}

}  // namespace
}  // namespace orlavex::planning
