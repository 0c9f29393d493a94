// The notes of a sweep's points are written again only when what they say
// changes: every point of a long sweep must read as that point swept alone.
#include "core/field_entry.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/sweep.h"
#include "reference_window.h"
#include "window/set_up_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace orlavex::planning {
namespace {

using testing::base_session;
using testing::base_window;
using testing::Choices;

// Each point's note against the same point in a sweep of its own, and how
// many different notes the sweep had (so that the comparison saw changes).
std::size_t expect_notes_of_points_alone(const Sweep& sweep) {
    const SweepResult whole = run_sweep(sweep);
    const std::vector<double> values = sweep_values(sweep);
    std::set<std::string> different;
    for (std::size_t i = 0; i < values.size(); ++i) {
        Sweep alone = sweep;
        alone.from = alone.to = values[i];
        alone.points = 1;
        EXPECT_EQ(whole.points[i].note, run_sweep(alone).points.at(0).note) << "at " << values[i];
        different.insert(whole.points[i].note);
    }
    return different.size();
}

Sweep table_sweep(const Choices& choices) {
    Sweep s;
    s.base = base_session(choices);
    s.from = 0.3;
    s.to = 18;
    s.points = 47;
    s.threads = 1;  // one evaluator sees every point in turn
    s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    s.dut_sparameters = datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/lna_1-18ghz.s2p");
    return s;
}

TEST(PointNotes, TableRecordsAndCatalogueBandsChangeTheNoteWhereTheyChange) {
    const Sweep s = table_sweep({.analyzer = "Aravel-4", .noise_source = "NS346C"});
    EXPECT_GE(expect_notes_of_points_alone(s), 20u);
}

TEST(PointNotes, AConvertedAnalyzerFrequencyIsNamedAtEveryPoint) {
    Sweep s = table_sweep({.analyzer = "Aravel-4", .noise_source = "NS346C", .freq_conv = true});
    s.conversion = {ConversionMode::fixed_lo, 0, 20};
    EXPECT_EQ(expect_notes_of_points_alone(s), s.points);
}

TEST(PointNotes, AHeldRecordAndTheNextBetweenRecordsDiffer) {
    Sweep s = table_sweep({.analyzer = "Aravel-4", .noise_source = "NS346C"});
    s.from = 0.01;  // below the amplifier's first record: held, then interpolated
    s.to = 2;
    s.points = 25;
    EXPECT_GE(expect_notes_of_points_alone(s), 3u);
}

TEST(PointNotes, ASeparateMeasurementSourceHasItsBandsInNotesAndEdges) {
    // The calibration source has one match band; the measurement source
    // changes band at 5 GHz.
    Sweep s;
    s.base = base_session({.analyzer = "Aravel-4", .noise_source = "NS346D"});
    s.from = 1;
    s.to = 10;
    s.points = 10;
    s.threads = 1;
    s.bench.meas_source = MeasurementSourceInput{.model = "NS346C"};
    EXPECT_GE(expect_notes_of_points_alone(s), 2u);
    const SweepResult r = run_sweep(s);
    EXPECT_NE(r.points.front().note.find("NS346C (measurement): match band below 5 GHz"),
              std::string::npos)
        << r.points.front().note;
    EXPECT_NE(r.points.back().note.find("NS346C (measurement): match band 5 to 18 GHz"),
              std::string::npos)
        << r.points.back().note;
    const auto measurement_edge = [](const BandEdge& e) {
        return e.what == "NS346C (measurement) match from 5 GHz" && e.freq_ghz == 5;
    };
    EXPECT_EQ(std::ranges::count_if(r.band_edges, measurement_edge), 1);
}

}  // namespace
}  // namespace orlavex::planning
