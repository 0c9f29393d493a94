// A separate measurement source in the outputs: its ENR at every point of
// a sweep's CSV, its model (and match) in the report's instruments and in
// the point's set-up.
#include "app/inputs/bench_inputs.h"
#include "app/inputs/sweep_request.h"
#include "app/results/sweep_columns.h"
#include "cli_runner.h"
#include "csv_table.h"
#include "report/plan_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using Args = std::vector<std::string>;
const std::string examples = ORLAVEX_EXAMPLES_DIR;

CsvTable sweep_csv(Args args) {
    args.insert(args.begin(), {"sweep", "--over", "freq", "--from", "2", "--to", "18", "--points",
                               "5", "--format", "csv"});
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return parse_csv(r.out);
}

// The measurement ENR a point used, as its JSON says.
double point_meas_enr(const std::string& freq, const Args& source) {
    Args args = {"--freq", freq};
    args.insert(args.end(), source.begin(), source.end());
    return point_json(args)["inputs"]["meas_enr_db"].get<double>();
}

TEST(MeasurementSourceColumn, TheCsvHasTheEnrEachPointMeasuredWith) {
    const std::vector<Args> sources = {{"--meas-enr", "14"},
                                       {"--meas-noise-source", "NS346B"},
                                       {"--meas-enr-table", examples + "/noise_source.enr"}};
    for (const Args& source : sources) {
        SCOPED_TRACE(source.front());
        const CsvTable t = sweep_csv(source);
        ASSERT_EQ(t.rows.size(), 5u);
        ASSERT_NE(std::ranges::find(t.header, "meas_enr_db"), t.header.end());
        // Where the documentation puts it: after the note and the losses.
        EXPECT_EQ(t.header.back(), "meas_enr_db");
        for (std::size_t i = 0; i < t.rows.size(); ++i) {
            EXPECT_NEAR(t.number(i, "meas_enr_db"), point_meas_enr(t.cell(i, "freq_ghz"), source),
                        1e-6)
                << "at " << t.cell(i, "freq_ghz") << " GHz";
        }
    }
    // The calibration source measuring too: no such column.
    const CsvTable plain = sweep_csv({"--loss-in", "1"});
    EXPECT_EQ(std::ranges::find(plain.header, "meas_enr_db"), plain.header.end());
}

// The instruments table of a report of the sweep with SOURCE.
std::vector<std::vector<std::string>> instruments(const app::BenchInputs& source) {
    app::SweepRequest asked;
    asked.from = 2;
    asked.to = 4;
    asked.points = 3;
    EXPECT_EQ(app::to_bench(source, asked.setup.bench, app::Naming::keyword), "");
    std::vector<std::string> notes;
    const planning::Sweep sweep = app::make_sweep(asked, {}, notes);
    const planning::SweepResult result = planning::run_sweep(sweep);
    const report::ReportContent content =
        report::plan_report({asked.setup, sweep, result, notes, nullptr, "now", "3.30", nullptr});
    const auto section =
        std::ranges::find(content.sections, "instruments", &report::ReportSection::id);
    EXPECT_NE(section, content.sections.end());
    return section->tables.at(0).rows;
}

TEST(MeasurementSourceInstruments, TheReportNamesItsModelAndMatch) {
    struct Case {
        app::BenchInputs source;
        std::string model;
    };
    app::BenchInputs by_value;
    by_value.meas_enr = 14;
    by_value.meas_source_vswr = 1.25;
    app::BenchInputs by_table;
    by_table.meas_enr_table = examples + "/noise_source.enr";
    by_table.meas_source_rl = 20;
    app::BenchInputs by_model;
    by_model.meas_noise_source = "ns346b";
    for (const Case& c :
         std::vector<Case>{{by_value, "User: ENR 14 dB, VSWR 1.25"},
                           {by_table, "User: ENR table noise_source.enr, return loss 20 dB"},
                           {by_model, "NS346B"}}) {
        SCOPED_TRACE(c.model);
        const auto rows = instruments(c.source);
        const auto row = std::ranges::find(rows, std::string("Measurement noise source"),
                                           [](const auto& r) { return r.at(0); });
        ASSERT_NE(row, rows.end());
        EXPECT_EQ(row->at(1), c.model);
    }
}

TEST(MeasurementSourceInThePoint, ItsModelAndMatchNotABareReflection) {
    const CliRun run =
        run_cli({"point", "--meas-enr", "14", "--meas-source-vswr", "1.25", "--trials", "100"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("|reflection|"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Measurement source: User: ENR 14 dB, VSWR 1.25"), std::string::npos)
        << run.out;
}

}  // namespace
}  // namespace orlavex::cli::test
