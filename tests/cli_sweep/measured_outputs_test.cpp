// A band of readings drawn (evaluate --plot) and reported (report
// --readings): the chart's points and the report's table are the
// evaluation's as its JSON gives them, beside the plan as sweep gives it at
// the same frequencies, the plan there only with a set-up; the files parse
// (SVG as XML, PNG and PDF by their signatures, the PDF's text by
// pdftotext); bad combinations are refused in one line before anything is
// written.
#include "app/results/sweep_columns.h"
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
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

// Seven frequencies, three readings each, of a DUT of 3 dB and 20 dB; the
// set-up they were simulated with.
std::string readings() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/band_readings.csv";
}

std::string plan() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/../instruments/data/plan.orlavex.json";
}

nlohmann::json evaluated_json(std::vector<std::string> more) {
    std::vector<std::string> args = {"evaluate", "--readings", readings(), "--format", "json"};
    args.insert(args.end(), more.begin(), more.end());
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json() : nlohmann::json::array();
}

// The plan's figures as `sweep` gives them at the readings' frequencies.
CsvTable planned_sweep() {
    const CliRun r = run_cli({"sweep", "--setup", plan(), "--over", "freq", "--from", "1", "--to",
                              "7", "--points", "7", "--format", "csv"});
    EXPECT_EQ(r.status, 0) << r.err;
    return parse_csv(r.out);
}

std::optional<double> number(const nlohmann::json& value) {
    if (!value.is_number()) return std::nullopt;
    return value.get<double>();
}

std::string places(const nlohmann::json& value, int n) {
    return app::number_text(value.get<double>(), n);
}

TEST(MeasuredChart, HoldsTheEvaluatedPointsAndThePlanOnlyWithASetUp) {
    const CsvTable sweep = planned_sweep();
    for (const bool with_setup : {false, true}) {
        SCOPED_TRACE(with_setup ? "with --setup" : "readings alone");
        WindowInputs inputs;
        inputs.manual = true;
        if (with_setup) inputs.files.setup = plan();
        const nlohmann::json rows = evaluated_json(
            with_setup ? std::vector<std::string>{"--setup", plan()} : std::vector<std::string>{});
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
            // The sweep's CSV gives four places.
            EXPECT_EQ(sweep.number(i, "freq_ghz"), p.x);
            EXPECT_NEAR(p.planned_nf_db.value_or(-1), sweep.number(i, "dut_nf_db"), 5e-5);
            EXPECT_NEAR(p.planned_gain_db.value_or(-1), sweep.number(i, "dut_gain_db"), 5e-5);
            EXPECT_NEAR(p.planned_expanded_db.value_or(-1), sweep.number(i, "U_db"), 5e-5);
        }
    }
}

bool parses_as_xml(const std::string& text) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    const bool ok =
        XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok;
}

class MeasuredFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ = fs::temp_directory_path() / ("orlavex-measured-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun report(const fs::path& file) const {
        return run_binary(
            {"report", "--readings", readings(), "--setup", plan(), "-o", file.string()});
    }

    fs::path folder_;
};

TEST_F(MeasuredFiles, PlotParsesWithThePlanWhereASetUpIsGiven) {
    struct Case {
        const char* file;
        std::vector<std::string> setup;
        bool planned;
    };
    for (const Case& c :
         {Case{"plan.svg", {"--setup", plan()}, true},
          Case{"model.svg", {"--noise-bw", "4e6", "--tau", "0.01"}, true},
          Case{"alone.svg", {}, false}, Case{"plan.png", {"--setup", plan()}, true}}) {
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
            EXPECT_GT(bytes.size(), 30'000u) << "curves, marks and text, not a blank page";
            EXPECT_EQ(bytes.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
            continue;
        }
        EXPECT_TRUE(parses_as_xml(bytes));
        for (const char* words : {"measured NF ± U", "measured gain", "DUT noise figure (dB)",
                                  "Measured noise figure of the DUT"})
            EXPECT_NE(bytes.find(words), std::string::npos) << words;
        for (const char* words : {"planned NF", "plan ±U", "planned gain"})
            EXPECT_EQ(bytes.find(words) != std::string::npos, c.planned) << words;
    }
}

TEST_F(MeasuredFiles, HtmlReportHoldsTheHashTheFiguresThePlanAndEveryNote) {
    const fs::path html = folder_ / "measured.html";
    const CliRun made = report(html);
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string page = read_file(html);
    const support::ChildRun sum = support::run_child("/usr/bin/sha256sum", {readings()});
    ASSERT_EQ(sum.status, 0);
    const HtmlTable files = first_table(section_html(page, "readings"));
    ASSERT_EQ(files.rows.size(), 1u);
    EXPECT_EQ(files.rows[0][1], "band_readings.csv");
    EXPECT_EQ(files.rows[0][2], sum.out.substr(0, 64));

    const nlohmann::json rows = evaluated_json({"--setup", plan()});
    const CsvTable sweep = planned_sweep();
    const HtmlTable results = first_table(section_html(page, "results"));
    ASSERT_EQ(results.rows.size(), rows.size());
    const auto cell = [&](std::size_t row, const std::string& name) {
        const auto at = std::ranges::find(results.header, name);
        return at == results.header.end() ? std::string("(no column)")
                                          : results.rows[row][at - results.header.begin()];
    };
    std::size_t worst = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const nlohmann::json& r = rows[i];
        EXPECT_EQ(results.rows[i][0].substr(0, results.rows[i][0].find(' ')),
                  places(r["freq_ghz"], -1));
        for (const char* column : {"dut_nf_db", "dut_gain_db", "u_db", "U_db"})
            EXPECT_EQ(cell(i, column), places(r[column], 4)) << column;
        EXPECT_EQ(cell(i, "k"), places(r["k"], 3));
        EXPECT_EQ(cell(i, "nu_eff"), places(r["nu_eff"], 1));
        for (const char* column : {"nf_db", "gain_db"})
            EXPECT_EQ(cell(i, std::string("plan_") + column),
                      sweep.cell(i, std::string("dut_") + column));
        EXPECT_EQ(cell(i, "plan_U_db"), sweep.cell(i, "U_db"));
        if (r["U_db"].get<double>() > rows[worst]["U_db"].get<double>()) worst = i;
    }
    ASSERT_EQ(std::ranges::count(results.marked, true), 1);
    EXPECT_TRUE(results.marked[worst]);
    const std::string budget = section_html(page, "budget");
    EXPECT_NE(budget.find("U = " + places(rows[worst]["U_db"], 4) + " dB"), std::string::npos);
    EXPECT_GE(first_table(budget).rows.size(), 8u);
    const std::string notes = xml_unescaped(section_html(page, "notes"));
    for (const nlohmann::json& r : rows)
        for (const nlohmann::json& note : r["notes"])
            EXPECT_NE(notes.find(note.get<std::string>()), std::string::npos) << note;
}

TEST_F(MeasuredFiles, PdfReportTextHoldsTheSameNumbers) {
    const fs::path pdf = folder_ / "measured.pdf";
    const CliRun made = report(pdf);
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(read_file(pdf).rfind("%PDF-", 0), 0u);
    const support::ChildRun text = support::run_child("/usr/bin/pdftotext", {pdf.string(), "-"});
    ASSERT_TRUE(text.started) << "no /usr/bin/pdftotext (poppler-utils)";
    ASSERT_EQ(text.status, 0) << text.err;
    for (const nlohmann::json& r : evaluated_json({"--setup", plan()}))
        for (const char* column : {"dut_nf_db", "U_db"})
            EXPECT_NE(text.out.find(places(r[column], 4)), std::string::npos) << column;
}

TEST_F(MeasuredFiles, RefuseABadCombinationInOneLineBeforeWriting) {
    const std::string png = (folder_ / "m.png").string(), html = (folder_ / "m.html").string();
    const std::string no_file = "the report file must end in .html or .pdf";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"evaluate", "--meas-on", "-80", "--meas-off", "-90", "--plot", png},
         "--plot is for --readings"},
        {{"evaluate", "--readings", readings(), "--plot", (folder_ / "m.pdf").string()},
         "--plot: the file must end in .png or .svg"},
        {{"evaluate", "--readings", readings(), "--plot", (folder_ / "no" / "m.svg").string()},
         "--plot: cannot write"},
        {{"evaluate", "--readings", readings(), "--plot", png, "--freq", "2"},
         "--readings gives the frequency and the levels: do not give --freq"},
        {{"report", "--readings", readings(), "--from", "1", "-o", html},
         "--readings gives the frequencies of the report: do not give --from"},
        {{"report", "--readings", readings(), "--advise", "-o", html},
         "--readings gives the frequencies of the report: do not give --advise"},
        {{"report", "--over", "freq", "--from", "1", "--to", "2", "--calibration", readings(), "-o",
          html},
         "--calibration is for --readings"},
        {{"report", "--readings", readings(), "-o", (folder_ / "m.txt").string()},
         "-o: " + no_file},
    };
    for (const auto& [args, why] : cases) {
        SCOPED_TRACE(why);
        const CliRun r = run_binary(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orlavex-cli: " + why, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(fs::is_empty(folder_));
    }
}

}  // namespace
}  // namespace orlavex::cli::test
