// A sweep written as its points are evaluated: the CSV and JSON are those of
// the whole result, whatever the chunks, and the columns decided from the
// set-up before the first point are those its points fill.
#include "app/results/sweep_output.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "planning/sweep.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

const std::string data = ORLAVEX_TEST_DATA_DIR;

struct Case {
    std::string name;
    std::function<void(planning::Sweep&)> set_up;
};

planning::Sweep sweep_of(const Case& c) {
    planning::Sweep s;
    s.from = 1;
    s.to = 18;
    s.points = 23;
    c.set_up(s);
    return s;
}

const std::vector<Case>& cases() {
    using planning::Sweep;
    static const std::vector<Case> all = {
        {"plain", [](Sweep&) {}},
        {"loss before the DUT", [](Sweep& s) { s.bench.loss_in.loss_db = 2; }},
        {"swept loss after the DUT",
         [](Sweep& s) {
             s.over = planning::SweptInput::loss_out;
             s.from = 0;
             s.to = 3;
         }},
        {"separate measurement source",
         [](Sweep& s) {
             s.bench.meas_source.emplace();
             s.bench.meas_source->enr_db = 6;
         }},
        {"converting DUT",
         [](Sweep& s) {
             s.conversion = {planning::ConversionMode::fixed_if, 0.5, 0};
             s.from = 2;
             s.to = 6;
         }},
        {"known reflections from files",
         [](Sweep& s) {
             s.to = 3;
             s.enr_table = datafiles::read_enr_file(data + "/reflections_source.enr");
             s.dut_sparameters = datafiles::read_touchstone(data + "/reflections_lna.s2p");
             s.model.reflections = measure::ReflectionModel::known;
         }},
        {"Monte Carlo",
         [](Sweep& s) {
             s.monte_carlo.enabled = true;
             s.monte_carlo.trials = 300;
         }},
    };
    return all;
}

std::string streamed(const planning::Sweep& sweep, app::SweepStreamWriter::Format format,
                     std::size_t chunk_points) {
    std::ostringstream out;
    app::SweepStreamWriter writer(out, format, sweep.monte_carlo.enabled);
    planning::SweepProgress progress;
    const planning::SweepResult outline =
        planning::stream_sweep(sweep, progress, std::ref(writer), chunk_points);
    writer.finish(outline);
    EXPECT_TRUE(outline.points.empty());
    EXPECT_EQ(progress.done.load(), sweep.points);
    return out.str();
}

TEST(StreamedSweep, WritesTheSameCsvAndJsonAsTheWholeResultWhateverTheChunks) {
    for (const Case& c : cases()) {
        const planning::Sweep sweep = sweep_of(c);
        const planning::SweepResult whole = planning::run_sweep(sweep);
        std::ostringstream csv;
        app::write_sweep_csv(csv, whole, sweep.monte_carlo.enabled);
        const std::string json = app::sweep_json(whole, sweep.monte_carlo.enabled).dump(2) + "\n";
        for (const std::size_t chunk : {1u, 5u, 1000u}) {
            using Format = app::SweepStreamWriter::Format;
            EXPECT_EQ(streamed(sweep, Format::csv, chunk), csv.str()) << c.name << ", " << chunk;
            EXPECT_EQ(streamed(sweep, Format::json, chunk), json) << c.name << ", " << chunk;
        }
    }
}

TEST(StreamedSweep, TheSetUpsColumnsAreThoseItsPointsFill) {
    // Each column a set-up may add, decided before any point is evaluated,
    // is there exactly when some point has what it shows.
    using planning::SweepPoint;
    struct Optional {
        std::string column;
        std::function<bool(const SweepPoint&)> has;
    };
    const std::vector<Optional> optional = {
        {"loss_in_db",
         [](const SweepPoint& p) {
             return p.setup.loss_in.loss_db != 0 || p.setup.loss_out.loss_db != 0;
         }},
        {"meas_enr_db", [](const SweepPoint& p) { return p.setup.meas_source.separate; }},
        {"lo_ghz", [](const SweepPoint& p) { return p.lo_ghz.has_value(); }},
        {"source_match_bias_db",
         [](const SweepPoint& p) { return p.source_match_bias_db.has_value(); }},
    };
    for (const Case& c : cases()) {
        const planning::SweepResult result = planning::run_sweep(sweep_of(c));
        const std::vector<app::SweepColumn> columns = app::sweep_columns(result, false);
        for (const Optional& o : optional) {
            const bool shown =
                std::ranges::find(columns, o.column, &app::SweepColumn::name) != columns.end();
            EXPECT_EQ(shown, std::ranges::any_of(result.points, o.has))
                << c.name << ": " << o.column;
        }
    }
}

}  // namespace
}  // namespace orlavex::cli::test
