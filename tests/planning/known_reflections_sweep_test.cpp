// A sweep whose ENR table and DUT file know the reflections at the DUT
// input: the model takes them, measures F(0) and reports the source-match
// bias; the classic figures stay the window's.
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/known_reflections.h"
#include "measure/units.h"
#include "planning/known_reflections_point.h"
#include "planning/sweep.h"
#include "reference_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <string_view>

namespace orlavex::planning {
namespace {

using C = std::complex<double>;

C polar_deg(double magnitude, double deg) {
    return std::polar(magnitude, deg * std::numbers::pi / 180);
}

double deg_of(C c) {
    return std::arg(c) * 180 / std::numbers::pi;
}

// The files' LNA and source from 1 to 3 GHz, the middle point at 2 GHz.
Sweep lna_sweep(bool known) {
    Sweep s;
    s.base = testing::base_session({});
    s.from = 1;
    s.to = 3;
    s.points = 5;
    s.enr_table = datafiles::read_enr_file(ORLAVEX_TEST_DATA_DIR "/reflections_source.enr");
    s.dut_sparameters = datafiles::read_touchstone(ORLAVEX_TEST_DATA_DIR "/reflections_lna.s2p");
    s.model.reflections =
        known ? measure::ReflectionModel::known : measure::ReflectionModel::random;
    return s;
}

bool has_line(const measure::Budget& b, std::string_view source) {
    for (const measure::BudgetLine& l : b.lines)
        if (l.source == source) return true;
    return false;
}

TEST(KnownReflectionsSweep, TheFilesReflectionsGiveTheSourceMatchBias) {
    const SweepResult plain = run_sweep(lna_sweep(false));
    const SweepResult known = run_sweep(lna_sweep(true));
    ASSERT_EQ(known.points.size(), 5u);
    for (std::size_t i = 0; i < known.points.size(); ++i) {
        const SweepPoint &a = plain.points[i], &b = known.points[i];
        SCOPED_TRACE(b.freq_ghz);
        ASSERT_TRUE(b.in_range && b.gum.valid) << b.note;
        testing::expect_same_figures(b.classic, a.classic, "classic figures");
        EXPECT_FALSE(a.setup.reflections || a.source_match_bias_db);
        EXPECT_TRUE(has_line(a.gum, "mismatch_in"));
        ASSERT_TRUE(b.setup.reflections && b.source_match_bias_db);
        EXPECT_FALSE(has_line(b.gum, "mismatch_in"));
        // The measurand's gain is the file's |S21|^2 (the window holds it
        // to its field's digits).
        const double gain = *lna_sweep(true).dut_sparameters->at(b.freq_ghz * 1e9).gain;
        EXPECT_NEAR(std::norm(b.setup.reflections->s21), gain, 1e-12 * gain);
        EXPECT_NEAR(measure::lin(b.dut_gain_db), gain, 3e-3 * gain);
        EXPECT_DOUBLE_EQ(b.gum.offset_db, *b.source_match_bias_db);
        EXPECT_NE(b.note.find("the classic figures leave out the source-match bias of "),
                  std::string::npos)
            << b.note;
    }
    // At 2 GHz the records hold the model's LNA: about 0.58 dB too low.
    const SweepPoint& mid = known.points[2];
    ASSERT_EQ(mid.freq_ghz, 2);
    const measure::KnownReflections& k = *mid.setup.reflections;
    EXPECT_NEAR(std::abs(k.s11 - polar_deg(0.5, -60)), 0, 1e-12);
    EXPECT_NEAR(std::abs(k.source_on - polar_deg(0.05, 30)), 0, 1e-12);
    EXPECT_NEAR(std::abs(k.source_off - polar_deg(0.12, -80)), 0, 1e-12);
    ASSERT_TRUE(k.noise);
    EXPECT_NEAR(measure::db(k.noise->fmin), 0.4, 1e-12);
    EXPECT_NEAR(*mid.source_match_bias_db, -0.58, 0.01);
    EXPECT_NE(mid.note.find("source-match bias of -0.5"), std::string::npos) << mid.note;
}

TEST(KnownReflectionsSweep, PhasesTurnAlongTheShorterArcBetweenRecords) {
    struct Case {
        double f_ghz, s11_deg, s21_deg;
    };
    // S11 from 170 to -170 degrees through 180, S21 from -20 to -190 (170)
    // through -105 the short way.
    const datafiles::Touchstone file = datafiles::parse_touchstone(
        "# GHz S MA R 50\n1 0.2 170 2 -20 0 0 0 0\n2 0.4 -170 2 -190 0 0 0 0\n", "t.s2p", 2);
    const Case cases[] = {
        {1, 170, -20}, {1.5, 180, -105}, {1.25, 175, -62.5}, {2, -170, 170}, {0.5, 170, -20}};
    const TwoPortPhases phases(file);
    for (const Case& c : cases) {
        const TwoPortAt at = phases.at(c.f_ghz * 1e9);
        SCOPED_TRACE(c.f_ghz);
        EXPECT_NEAR(std::remainder(deg_of(at.s11) - c.s11_deg, 360), 0, 1e-9);
        EXPECT_NEAR(std::remainder(deg_of(at.s21) - c.s21_deg, 360), 0, 1e-9);
        EXPECT_NEAR(std::abs(at.s11), file.at(c.f_ghz * 1e9).input_match, 1e-15);
        EXPECT_NEAR(std::norm(at.s21), 4, 1e-12);
    }
}

TEST(KnownReflectionsSweep, APadFileBeforeTheDutShrinksTheBias) {
    Sweep s = lna_sweep(true);
    s.points = 1;
    s.from = s.to = 2;
    const double bare = *run_sweep(s).points[0].source_match_bias_db;
    // A 6 dB pad whose S21 turns 90 degrees at 2 GHz.
    s.bench.loss_in.sparameters = datafiles::parse_touchstone(
        "# GHz S DB R 50\n1 -40 0 -6 -45 -6 -45 -40 0\n3 -40 0 -6 -135 -6 -135 -40 0\n", "pad.s2p",
        2);
    const SweepPoint padded = run_sweep(s).points[0];
    ASSERT_TRUE(padded.setup.reflections && padded.setup.reflections->loss_in_s21) << padded.note;
    EXPECT_NEAR(deg_of(*padded.setup.reflections->loss_in_s21), -90, 1e-9);
    EXPECT_LT(std::fabs(*padded.source_match_bias_db), std::fabs(bare) / 3);
    // Its phase matters: the same pad as a value gives another bias.
    s.bench.loss_in.sparameters.reset();
    s.bench.loss_in.loss_db = 6;
    const SweepPoint value = run_sweep(s).points[0];
    EXPECT_FALSE(value.setup.reflections->loss_in_s21);
    EXPECT_GT(std::fabs(*value.source_match_bias_db - *padded.source_match_bias_db), 0.01);
}

TEST(KnownReflectionsSweep, OnlyWhereBothFilesGiveThem) {
    Sweep s = lna_sweep(true);
    s.enr_table = datafiles::parse_enr("1 GHz 15 0.2\n3 GHz 15 0.2\n", "plain.enr");
    for (const SweepPoint& p : run_sweep(s).points)
        EXPECT_FALSE(p.setup.reflections || p.source_match_bias_db);
    s = lna_sweep(true);
    s.dut_sparameters.reset();
    for (const SweepPoint& p : run_sweep(s).points)
        EXPECT_FALSE(p.setup.reflections || p.source_match_bias_db);
}

}  // namespace
}  // namespace orlavex::planning

namespace orlavex::planning {
namespace {

// The middle of the files' band, over the phase of the loss before the DUT.
Sweep phase_sweep(std::size_t points) {
    Sweep s = lna_sweep(true);
    s.base.paste(&core::ClassicValues::freq_ghz, 2);
    s.over = SweptInput::loss_in_phase;
    s.from = 0;
    s.to = 360;
    s.points = points;
    return s;
}

// A lossless line before the DUT whose S21 is at DEG degrees at 2 GHz.
datafiles::Touchstone line_file(double deg) {
    const std::string at = std::to_string(deg);
    return datafiles::parse_touchstone("# GHz S DB R 50\n1 -60 0 0 " + at + " 0 " + at +
                                           " -60 0\n3 -60 0 0 " + at + " 0 " + at + " -60 0\n",
                                       "line.s2p", 2);
}

TEST(KnownReflectionsSweep, TheBiasTurnsWithTheLineBeforeTheDutAndComesBackAt360) {
    const SweepResult turned = run_sweep(phase_sweep(9));
    ASSERT_EQ(turned.points.size(), 9u);
    double lowest = 1e9, highest = -1e9;
    for (const SweepPoint& p : turned.points) {
        ASSERT_TRUE(p.in_range && p.source_match_bias_db) << p.note;
        ASSERT_EQ(p.freq_ghz, 2);
        lowest = std::min(lowest, *p.source_match_bias_db);
        highest = std::max(highest, *p.source_match_bias_db);
    }
    EXPECT_GT(highest - lowest, 0.1);
    EXPECT_NEAR(*turned.points.back().source_match_bias_db,
                *turned.points.front().source_match_bias_db, 1e-9);
    // At 0 degrees, no line at all; at each phase, a line file of that length.
    struct Case {
        std::size_t index;
        double line_deg;
    };
    for (const Case c : {Case{0, 0}, Case{2, -90}, Case{3, -135}, Case{6, -270}}) {
        Sweep s = lna_sweep(true);
        s.from = s.to = 2;
        s.points = 1;
        if (c.line_deg != 0) s.bench.loss_in.sparameters = line_file(c.line_deg);
        SCOPED_TRACE(c.line_deg);
        EXPECT_NEAR(*run_sweep(s).points[0].source_match_bias_db,
                    *turned.points[c.index].source_match_bias_db, 1e-9);
    }
}

TEST(KnownReflectionsSweep, ThePhaseOfTheLossIsSweptOnlyWithKnownReflections) {
    Sweep s = phase_sweep(3);
    s.model.reflections = measure::ReflectionModel::random;
    EXPECT_THROW(run_sweep(s), SweepError);
}

}  // namespace
}  // namespace orlavex::planning

namespace orlavex::planning {
namespace {

// Typed reflections at 2 GHz: a source whose on and off states differ and
// an LNA matched for noise, not for power.
Sweep typed_sweep(const measure::ModelOptions& typed, SweptInput over, double swept_vswr) {
    Sweep s;
    s.base = testing::base_session({});
    s.base.paste(&core::ClassicValues::freq_ghz, 2);
    s.model = typed;
    s.model.reflections = measure::ReflectionModel::known;
    if (over == SweptInput::frequency) {
        s.from = s.to = 2;
        s.points = 1;
    } else {
        s.over = over;
        s.from = s.to = swept_vswr;
        s.points = 1;
    }
    return s;
}

TEST(KnownReflectionsSweep, ASweptMatchSetsTheMagnitudeOfItsReflection) {
    measure::ModelOptions typed;
    typed.source_on_gamma = polar_deg(0.1, 30);
    typed.source_off_gamma = polar_deg(0.25, -80);
    typed.dut_s11 = polar_deg(0.5, -60);
    struct Case {
        SweptInput over;
        double vswr;
    };
    for (const Case c : {Case{SweptInput::source_match, 1.2}, Case{SweptInput::source_match, 2.5},
                         Case{SweptInput::dut_in_match, 1.3}, Case{SweptInput::dut_in_match, 4}}) {
        SCOPED_TRACE(std::to_string(c.vswr));
        const SweepResult swept = run_sweep(typed_sweep(typed, c.over, c.vswr));
        ASSERT_TRUE(swept.points.at(0).source_match_bias_db) << swept.points[0].note;
        // The same point with the reflection typed at the swept magnitude
        // (the worse of the source's two at it, the other scaled alike).
        const double m = (c.vswr - 1) / (c.vswr + 1);
        measure::ModelOptions at = typed;
        if (c.over == SweptInput::dut_in_match) {
            at.dut_s11 = polar_deg(m, -60);
        } else {
            at.source_on_gamma = polar_deg(0.1 * m / 0.25, 30);
            at.source_off_gamma = polar_deg(m, -80);
        }
        Sweep reference = typed_sweep(at, SweptInput::frequency, 0);
        reference.base.paste(c.over == SweptInput::dut_in_match
                                 ? &core::ClassicValues::dut_in_match
                                 : &core::ClassicValues::source_match,
                             c.vswr);
        const SweepResult typed_at = run_sweep(reference);
        ASSERT_TRUE(typed_at.points.at(0).source_match_bias_db) << typed_at.points[0].note;
        EXPECT_NEAR(*swept.points[0].source_match_bias_db, *typed_at.points[0].source_match_bias_db,
                    1e-9);
        EXPECT_NEAR(swept.points[0].gum.U_db, typed_at.points[0].gum.U_db, 1e-9);
    }
}

}  // namespace
}  // namespace orlavex::planning
