// report --readings: a measurement's report by the real binary (which runs
// orlavex-plot). The HTML holds the readings' SHA-256, each frequency's
// figures as evaluate's JSON gives them beside the plan as sweep gives it,
// the budget at the largest U and every note; the PDF's text holds the same
// numbers; options that sweep a plan are refused beside readings.
#include "app/results/sweep_columns.h"
#include "child_process.h"
#include "cli_runner.h"
#include "csv_table.h"
#include "output_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

std::string readings() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/band_readings.csv";
}

std::string plan() {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/../instruments/data/plan.orlavex.json";
}

std::string places(const nlohmann::json& value, int n) {
    return app::number_text(value.get<double>(), n);
}

// TEXT with entities for what HTML escapes.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '&'   ? "&amp;"
               : c == '<' ? "&lt;"
               : c == '>' ? "&gt;"
               : c == '"' ? "&quot;"
                          : std::string(1, c);
    return out;
}

class MeasuredReport : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ =
            fs::temp_directory_path() / ("orlavex-measured-report-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        const CliRun json =
            run_cli({"evaluate", "--readings", readings(), "--setup", plan(), "--format", "json"});
        ASSERT_EQ(json.status, 0) << json.err;
        rows_ = json.json();
        ASSERT_EQ(rows_.size(), 7u);
    }
    void TearDown() override { fs::remove_all(folder_); }

    CliRun report(const fs::path& file, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"report", "--readings", readings(),   "--setup",
                                         plan(),   "-o",         file.string()};
        args.insert(args.end(), more.begin(), more.end());
        return run_binary(args);
    }

    fs::path folder_;
    nlohmann::json rows_;
};

TEST_F(MeasuredReport, HtmlHoldsTheHashTheFiguresThePlanAndEveryNote) {
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

    // Each frequency's figures as the JSON gives them, the plan's as sweep does.
    const CliRun swept = run_cli({"sweep", "--setup", plan(), "--over", "freq", "--from", "1",
                                  "--to", "7", "--points", "7", "--format", "csv"});
    ASSERT_EQ(swept.status, 0) << swept.err;
    const CsvTable sweep = parse_csv(swept.out);
    const HtmlTable results = first_table(section_html(page, "results"));
    ASSERT_EQ(results.rows.size(), rows_.size());
    const auto column = [&](const std::string& name) {
        const auto at = std::ranges::find(results.header, name);
        EXPECT_NE(at, results.header.end()) << name;
        return static_cast<std::size_t>(at - results.header.begin());
    };
    std::size_t worst = 0;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const std::vector<std::string>& row = results.rows[i];
        const nlohmann::json& r = rows_[i];
        EXPECT_EQ(row[0].substr(0, row[0].find(' ')), places(r["freq_ghz"], -1));
        EXPECT_EQ(row[column("dut_nf_db")], places(r["dut_nf_db"], 4));
        EXPECT_EQ(row[column("dut_gain_db")], places(r["dut_gain_db"], 4));
        EXPECT_EQ(row[column("u_db")], places(r["u_db"], 4));
        EXPECT_EQ(row[column("U_db")], places(r["U_db"], 4));
        EXPECT_EQ(row[column("k")], places(r["k"], 3));
        EXPECT_EQ(row[column("nu_eff")], places(r["nu_eff"], 1));
        EXPECT_EQ(row[column("plan_nf_db")], sweep.cell(i, "dut_nf_db"));
        EXPECT_EQ(row[column("plan_gain_db")], sweep.cell(i, "dut_gain_db"));
        EXPECT_EQ(row[column("plan_U_db")], sweep.cell(i, "U_db"));
        if (r["U_db"].get<double>() > rows_[worst]["U_db"].get<double>()) worst = i;
    }
    ASSERT_EQ(std::ranges::count(results.marked, true), 1);
    EXPECT_TRUE(results.marked[worst]);
    const std::string budget = section_html(page, "budget");
    EXPECT_NE(budget.find("U = " + places(rows_[worst]["U_db"], 4) + " dB"), std::string::npos)
        << budget;
    EXPECT_GE(first_table(budget).rows.size(), 8u);
    // The charts inline, every note of every point in the notes.
    EXPECT_NE(page.find("measured NF ± U"), std::string::npos);
    const std::string notes = section_html(page, "notes");
    std::size_t count = 0;
    for (const nlohmann::json& r : rows_)
        for (const nlohmann::json& note : r["notes"]) {
            ++count;
            EXPECT_NE(notes.find(escaped(note.get<std::string>())), std::string::npos) << note;
        }
    EXPECT_GE(count, 7u);
}

TEST_F(MeasuredReport, PdfTextHoldsTheSameNumbers) {
    const fs::path pdf = folder_ / "measured.pdf";
    const CliRun made = report(pdf);
    ASSERT_EQ(made.status, 0) << made.err;
    ASSERT_EQ(read_file(pdf).rfind("%PDF-", 0), 0u);
    const support::ChildRun text = support::run_child("/usr/bin/pdftotext", {pdf.string(), "-"});
    ASSERT_TRUE(text.started) << "no /usr/bin/pdftotext (poppler-utils)";
    ASSERT_EQ(text.status, 0) << text.err;
    for (const nlohmann::json& r : rows_) {
        SCOPED_TRACE(places(r["freq_ghz"], -1) + " GHz");
        EXPECT_NE(text.out.find(places(r["dut_nf_db"], 4)), std::string::npos);
        EXPECT_NE(text.out.find(places(r["U_db"], 4)), std::string::npos);
    }
    EXPECT_NE(text.out.find("band_readings.csv"), std::string::npos);
}

TEST_F(MeasuredReport, RefusesWhatSweepsAPlanInOneLine) {
    struct Case {
        std::vector<std::string> args;
        std::string why;
    };
    const std::string html = (folder_ / "m.html").string();
    for (const Case& c : {
             Case{{"--readings", readings(), "--from", "1", "-o", html},
                  "--readings gives the frequencies of the report: do not give --from"},
             Case{{"--readings", readings(), "--advise", "-o", html},
                  "--readings gives the frequencies of the report: do not give --advise"},
             Case{{"--over", "freq", "--from", "1", "--to", "2", "--calibration", readings(), "-o",
                   html},
                  "--calibration is for --readings"},
             Case{{"--readings", readings(), "-o", (folder_ / "m.txt").string()},
                  "-o: the report file must end in .html or .pdf"},
         }) {
        SCOPED_TRACE(c.why);
        std::vector<std::string> args = {"report"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliRun r = run_binary(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orlavex-cli: " + c.why, 0), 0u) << r.err;
        EXPECT_TRUE(fs::is_empty(folder_));
    }
}

}  // namespace
}  // namespace orlavex::cli::test
