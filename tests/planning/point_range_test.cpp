// Which points of a sweep are in range, which use a file's value held from
// its nearest record, and what their notes say when a value cannot be used.
#include "catalogue/catalogue.h"
#include "core/field_entry.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/advice.h"
#include "planning/point_notes.h"
#include "planning/sweep.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace orlavex::planning {
namespace {

using enum Ctl;
using testing::base_session;
using testing::base_window;
using testing::Choices;
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

// ---- Waveguide noise sources --------------------------------------------------------

TEST(WaveguideSource, PointsBelowItsBandAreOutOfRangeWithANote) {
    Sweep s = frequency_sweep({.noise_source = "WR-15 (amp)"}, 1, 61, 4);  // 1, 21, 41, 61
    const SweepResult r = run_sweep(s);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(r.points[i].in_range) << r.points[i].note;
    }
    EXPECT_EQ(
        r.points[0].note,
        "1 GHz is below the noise source WR-15 (amp)'s waveguide band, which starts at 50 GHz");
    EXPECT_TRUE(r.points[3].in_range) << r.points[3].note;
    ASSERT_FALSE(r.band_edges.empty());
    EXPECT_EQ(r.band_edges.front().freq_ghz, 50);
    EXPECT_EQ(r.band_edges.front().what, "WR-15 (amp) waveguide band from 50 GHz");

    // A sweep over another input at 1 GHz: every point is below the band.
    s = frequency_sweep({.noise_source = "WR-10", .typed = {{txtFreq, "1"}}}, 10, 20, 3);
    s.over = SweptInput::dut_gain;
    for (const SweepPoint& p : run_sweep(s).points) {
        EXPECT_FALSE(p.in_range);
        EXPECT_TRUE(mentions(p.note, "waveguide band, which starts at 75 GHz")) << p.note;
    }
}

TEST(WaveguideSource, TheCalculatorWindowStillTakesItBelowTheBand) {
    Calculator window = base_window({.noise_source = "WR-15 (amp)"});
    type_into(window, txtFreq, "1");
    EXPECT_TRUE(window.figures.valid);
    EXPECT_EQ(window.state.Freq, 1);
}

TEST(WaveguideSource, AdviceForACoaxBandRanksEveryWaveguideSourceLast) {
    Sweep s = frequency_sweep(
        {.analyzer = "Aravel-3", .typed = {{txtDUT_NF, "2"}, {txtDUT_Gain, "28"}}}, 1, 18, 18);
    const Advice advice = advise(s);
    const auto is_waveguide = [](const AdviceEntry& e) {
        return e.candidate.noise_source.starts_with("WR-");
    };
    const auto first = std::ranges::find_if(advice.ranking, is_waveguide);
    ASSERT_NE(first, advice.ranking.end());
    EXPECT_TRUE(std::all_of(first, advice.ranking.end(), is_waveguide));
    EXPECT_EQ(advice.ranking.end() - first, 12);
    for (auto it = first; it != advice.ranking.end(); ++it) {
        EXPECT_EQ(it->in_range, 0u) << it->candidate.label();
        EXPECT_EQ(it->all_green, 0u) << it->candidate.label();
    }
}

// ---- Values held from a file's nearest record -------------------------------------------

TEST(HeldPoints, ASweepBelowTheSampleAmplifiersFirstFrequencyCountsThemApart) {
    Sweep s = frequency_sweep({}, 0.5, 2, 7);  // 0.5, 0.75, 1, 1.25, ...
    s.dut_sparameters = datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/lna_1-18ghz.s2p");
    const SweepResult r = run_sweep(s);
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        const SweepPoint& p = r.points[i];
        SCOPED_TRACE(p.swept_value);
        EXPECT_TRUE(p.in_range) << p.note;
        EXPECT_EQ(p.held, i < 2);
        EXPECT_EQ(mentions(p.note, "held from the nearest record, the first, at 1 GHz (line 7)"),
                  i < 2)
            << p.note;
    }
    const PointCounts counts = count_points(r);
    EXPECT_EQ(counts.points, 7u);
    EXPECT_EQ(counts.in_range, 5u);
    EXPECT_EQ(counts.held, 2u);
    EXPECT_EQ(counts_text(counts), "7 points, 5 in range, 2 held from the nearest record");
    EXPECT_EQ(counts_text({3, 1, 0}), "3 points, 1 in range");
}

// The bench's files hold their nearest record beyond their band as the
// DUT's do, and the points say so: the input cable and the measurement
// source's table both end at 18 GHz.
TEST(HeldPoints, BenchFilesBeyondTheirRecordsAreHeldAndSaySo) {
    Sweep s = frequency_sweep({.noise_source = "NS346C"}, 10, 26, 5);  // 10, 14, 18, 22, 26
    s.bench.loss_in.sparameters =
        datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/input_cable.s2p");
    s.bench.meas_source = MeasurementSourceInput{};
    s.bench.meas_source->table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    const SweepResult r = run_sweep(s);
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        const SweepPoint& p = r.points[i];
        SCOPED_TRACE(p.swept_value);
        EXPECT_TRUE(p.in_range) << p.note;
        EXPECT_EQ(p.held, i >= 3);
        EXPECT_EQ(mentions(p.note, "loss before the DUT: held from the nearest record, the last"),
                  i >= 3)
            << p.note;
        EXPECT_EQ(mentions(p.note,
                           "measurement source ENR table: held from the nearest record, the last"),
                  i >= 3)
            << p.note;
    }
    EXPECT_EQ(count_points(r).held, 2u);
}

// ---- Values a file gives that the window cannot take ---------------------------------------

Sweep sweep_with_dut(std::string_view touchstone) {
    Sweep s = frequency_sweep({}, 1, 2, 2);
    s.dut_sparameters = datafiles::parse_touchstone(touchstone, "dut.s2p", 2);
    return s;
}

TEST(FileValues, AReflectionAboveOneIsExplainedAsAPassivePortCannotDoIt) {
    const SweepResult r =
        run_sweep(sweep_with_dut("1 1.05 0 10 0 0 0 0.2 0\n2 0.2 0 10 0 0 0 1 0\n"));
    EXPECT_FALSE(r.points[0].in_range);
    EXPECT_EQ(r.points[0].note,
              "|S11| of 1.05 (record at 1 GHz (line 1)): the DUT's input would reflect more than "
              "it receives, which a passive port cannot");
    EXPECT_FALSE(r.points[1].in_range);
    EXPECT_EQ(r.points[1].note,
              "|S22| of 1 (record at 2 GHz (line 2)): the DUT's output reflects all it receives, "
              "which no VSWR in the window expresses");
}

TEST(FileValues, AValueTooLongForItsFieldIsNamedWithItsRecord) {
    // |S11| 0.999999 is a VSWR of 1999999, seven digits.
    const SweepResult r =
        run_sweep(sweep_with_dut("1 0.999999 0 10 0 0 0 0.2 0\n3 0.2 0 10 0 0 0 0.2 0\n"));
    EXPECT_FALSE(r.points[0].in_range);
    EXPECT_TRUE(mentions(r.points[0].note,
                         "DUT input VSWR from S11, 1999999 (record at 1 GHz (line 1)), does not "
                         "fit the window's field of"))
        << r.points[0].note;
    EXPECT_TRUE(r.points[1].in_range) << r.points[1].note;
}

TEST(FileValues, AFileAgainst75OhmsGivesTheSweepThe50OhmGainAndMatches) {
    Sweep at_75 = frequency_sweep({}, 1, 4, 7);
    at_75.dut_sparameters = datafiles::read_touchstone(ORLAVEX_TEST_DATA_DIR "/dut_ri_75ohm.s2p");
    Sweep at_50 = at_75;
    at_50.dut_sparameters = datafiles::read_touchstone(ORLAVEX_TEST_DATA_DIR "/dut_ma.s2p");
    const SweepResult r75 = run_sweep(at_75), r50 = run_sweep(at_50);
    for (std::size_t i = 0; i < r75.points.size(); ++i) {
        SCOPED_TRACE(r75.points[i].swept_value);
        EXPECT_EQ(r75.points[i].dut_gain_db, r50.points[i].dut_gain_db);
        EXPECT_EQ(r75.points[i].setup.gamma_dut_in, r50.points[i].setup.gamma_dut_in);
        EXPECT_EQ(r75.points[i].gum.U_db, r50.points[i].gum.U_db);
        EXPECT_TRUE(mentions(r75.points[i].note, "; referred to 50 ohms from 75 ohms"))
            << r75.points[i].note;
    }
}

}  // namespace
}  // namespace orlavex::planning
