// evaluate --readings --plot: the chart's measured points are the
// evaluation's (as its JSON gives them), its plan is the sweep of the same
// set-up at the readings' frequencies and is there only with a set-up; the
// real binary writes a PNG or an SVG that parses; bad combinations are
// refused in one line before anything is written.
#include "child_process.h"
#include "cli/evaluate_readings.h"
#include "cli/measured_chart.h"
#include "cli_runner.h"
#include "csv_table.h"
#include "output_files.h"

#include <expat.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

std::string readings() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/band_readings.csv";
}

// The set-up the readings were simulated with: a DUT of 3 dB and 20 dB.
std::string plan() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/../instruments/data/plan.orlavex.json";
}

std::optional<double> number(const nlohmann::json& value) {
    if (!value.is_number()) return std::nullopt;
    return value.get<double>();
}

TEST(MeasuredChart, HoldsTheEvaluatedPointsAndThePlanOnlyWithASetUp) {
    // The plan's figures as `sweep` gives them at the readings' frequencies.
    const CliRun swept = run_cli({"sweep", "--setup", plan(), "--over", "freq", "--from", "1",
                                  "--to", "7", "--points", "7", "--format", "csv"});
    ASSERT_EQ(swept.status, 0) << swept.err;
    const CsvTable sweep = parse_csv(swept.out);
    for (const bool with_setup : {false, true}) {
        SCOPED_TRACE(with_setup ? "with --setup" : "readings alone");
        std::vector<std::string> args = {"evaluate", "--readings", readings(), "--format", "json"};
        WindowInputs inputs;
        inputs.manual = true;
        if (with_setup) {
            inputs.files.setup = plan();
            args.insert(args.end(), {"--setup", plan()});
        }
        const CliRun json = run_cli(args);
        ASSERT_EQ(json.status, 0) << json.err;
        const nlohmann::json rows = json.json();

        EvaluatedReadings evaluated;
        ReadingsRequest request;
        request.path = readings();
        ASSERT_EQ(evaluate_readings_file(inputs, {}, request, evaluated), "");
        charts::SweepChartData data;
        ASSERT_EQ(measured_chart(evaluated, gives_plan(inputs), false, data), "");
        ASSERT_EQ(data.measured.size(), 7u);
        ASSERT_EQ(rows.size(), 7u);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            SCOPED_TRACE("frequency " + std::to_string(i + 1));
            const charts::MeasuredChartPoint& p = data.measured[i];
            EXPECT_EQ(p.x, rows[i]["freq_ghz"].get<double>());
            EXPECT_EQ(p.nf_db, number(rows[i]["dut_nf_db"]));
            EXPECT_EQ(p.gain_db, number(rows[i]["dut_gain_db"]));
            EXPECT_EQ(p.expanded_db, number(rows[i]["U_db"]));
            ASSERT_TRUE(p.expanded_db.has_value());
            if (!with_setup) {
                EXPECT_FALSE(p.planned_nf_db || p.planned_gain_db || p.planned_expanded_db);
                continue;
            }
            EXPECT_EQ(sweep.number(i, "freq_ghz"), p.x);
            // The sweep's CSV gives four places.
            EXPECT_NEAR(p.planned_nf_db.value_or(-1), sweep.number(i, "dut_nf_db"), 5e-5);
            EXPECT_NEAR(p.planned_gain_db.value_or(-1), sweep.number(i, "dut_gain_db"), 5e-5);
            EXPECT_NEAR(p.planned_expanded_db.value_or(-1), sweep.number(i, "U_db"), 5e-5);
        }
    }
}

// Whether TEXT is well-formed XML.
bool parses_as_xml(const std::string& text) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool ok =
        XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

class MeasuredPlot : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ = fs::temp_directory_path() / ("orlavex-measured-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(MeasuredPlot, WritesAFileThatParsesWithThePlanWhereASetUpIsGiven) {
    struct Case {
        const char* file;
        std::vector<std::string> setup;
        bool planned;
    };
    for (const Case& c : {Case{"plan.svg", {"--setup", plan()}, true},
                          Case{"model.svg", {"--noise-bw", "4e6", "--tau", "0.01"}, true},
                          Case{"alone.svg", {}, false}, Case{"plan.png", {"--setup", plan()}, true},
                          Case{"alone.png", {}, false}}) {
        SCOPED_TRACE(c.file);
        const fs::path file = folder_ / c.file;
        std::vector<std::string> args = {"evaluate", "--readings", readings(),   "--format",
                                         "csv",      "--plot",     file.string()};
        args.insert(args.end(), c.setup.begin(), c.setup.end());
        const CliRun r = run_binary(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(std::ranges::count(r.out, '\n'), 8) << "the CSV still comes out";
        const std::string bytes = read_file(file);
        if (file.extension() == ".png") {
            ASSERT_GT(bytes.size(), 30'000u) << "curves, marks and text, not a blank page";
            EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
            EXPECT_EQ(bytes.substr(12, 4), "IHDR");
            continue;
        }
        EXPECT_TRUE(parses_as_xml(bytes));
        for (const char* words : {"measured NF ± U", "measured gain", "DUT noise figure (dB)",
                                  "Frequency (GHz)", "Measured noise figure of the DUT"})
            EXPECT_NE(bytes.find(words), std::string::npos) << words;
        for (const char* words : {"planned NF", "plan ±U", "planned gain"})
            EXPECT_EQ(bytes.find(words) != std::string::npos, c.planned) << words;
        EXPECT_NE(svg_metadata(bytes, "orlavex-setup").find("orlavex-setup"), std::string::npos);
    }
}

TEST_F(MeasuredPlot, RefusesABadCombinationInOneLineBeforeWriting) {
    struct Case {
        std::vector<std::string> args;
        std::string why;
    };
    const std::string png = (folder_ / "m.png").string();
    for (const Case& c : {
             Case{{"--meas-on", "-80", "--meas-off", "-90", "--plot", png},
                  "--plot is for --readings"},
             Case{{"--readings", readings(), "--plot", (folder_ / "m.pdf").string()},
                  "--plot: the file must end in .png or .svg"},
             Case{{"--readings", readings(), "--plot", (folder_ / "no" / "m.svg").string()},
                  "--plot: cannot write"},
             Case{{"--readings", readings(), "--plot", png, "--freq", "2"},
                  "--readings gives the frequency and the levels: do not give --freq"},
         }) {
        std::vector<std::string> args = {"evaluate"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = run_binary(args);
        SCOPED_TRACE(c.why);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orlavex-cli: " + c.why, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(fs::is_empty(folder_));
    }
}

}  // namespace
}  // namespace orlavex::cli::test
