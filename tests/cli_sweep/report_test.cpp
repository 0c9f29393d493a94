// orlavex-cli report: the real binary runs orlavex-plot, which writes the
// HTML or PDF. The report's figures are checked against the CSV of the same
// set-up, the HTML for anything outside the file, the PDF by its page boxes.
// GCC 12 with the sanitizers reports the moves inside libstdc++'s <regex>
// automaton as "may be used uninitialized" (a false positive in its inlined
// std::function); the pragma keeps it out of this file's build.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "child_process.h"
#include "cli_runner.h"
#include "csv_table.h"
#include "output_files.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

class Report : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
        folder_ = fs::temp_directory_path() / ("orlavex-report-test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // An LNA across 1 to 18 GHz from its S-parameters and the source's ENR
    // table, with the Monte Carlo: 171 points, so the table picks.
    static std::vector<std::string> band_plan() {
        return {"--over",
                "freq",
                "--from",
                "1",
                "--to",
                "18",
                "--points",
                "171",
                "--analyzer",
                "Aravel-3",
                "--int-preamp",
                "--noise-source",
                "NS346B",
                "--enr-table",
                std::string(ORLAVEX_EXAMPLES_DIR) + "/noise_source.enr",
                "--dut-s2p",
                std::string(ORLAVEX_EXAMPLES_DIR) + "/lna_1-18ghz.s2p",
                "--dut-nf",
                "2",
                "--mc",
                "--trials",
                "2000"};
    }
    // Below the analyzer's range at the first point, beyond the S-parameters
    // from 19 GHz on.
    static std::vector<std::string> with_notes() {
        return {"--over",   "freq",      "--from",
                "0.001",    "--to",      "26",
                "--points", "27",        "--analyzer",
                "Aravel-3", "--dut-s2p", std::string(ORLAVEX_EXAMPLES_DIR) + "/lna_1-18ghz.s2p"};
    }

    CliRun report(std::vector<std::string> inputs, const fs::path& file,
                  std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"report"};
        args.insert(args.end(), inputs.begin(), inputs.end());
        args.insert(args.end(), {"-o", file.string()});
        args.insert(args.end(), more.begin(), more.end());
        return run_binary(args);
    }

    fs::path folder_;
};

TEST_F(Report, ShowsTheCsvFiguresAndItsWorstPoint) {
    const fs::path html = folder_ / "plan.html";
    const CliRun made = report(band_plan(), html);
    ASSERT_EQ(made.status, 0) << made.err;
    std::vector<std::string> sweep_args = {"sweep"};
    for (const std::string& a : band_plan())
        sweep_args.push_back(a);
    sweep_args.insert(sweep_args.end(), {"--format", "csv"});
    const CliRun swept = run_binary(sweep_args);
    ASSERT_EQ(swept.status, 0) << swept.err;
    const CsvTable csv = parse_csv(swept.out);

    const HtmlTable table = first_table(section_html(read_file(html), "sweep"));
    ASSERT_GE(table.header.size(), 10u);
    EXPECT_EQ(table.header[0], "point");
    EXPECT_LE(table.rows.size(), 51u);
    EXPECT_GE(table.rows.size(), 45u) << "about 50 rows picked from 171";
    std::map<std::string, std::size_t> csv_row_at;
    for (std::size_t r = 0; r < csv.rows.size(); ++r)
        csv_row_at[csv.cell(r, "freq_ghz")] = r;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        ASSERT_EQ(table.rows[r].size(), table.header.size());
        const std::string& freq = table.rows[r][1];
        ASSERT_TRUE(csv_row_at.contains(freq)) << "no CSV row at " << freq;
        const std::size_t c = csv_row_at[freq];
        EXPECT_EQ(std::stoul(table.rows[r][0]), c + 1) << "the point's number";
        for (std::size_t k = 1; k < table.header.size(); ++k)
            EXPECT_EQ(table.rows[r][k], csv.cell(c, table.header[k]))
                << table.header[k] << " at " << freq;
    }
    // The worst point is the CSV's largest U, marked once.
    std::size_t worst = 0;
    for (std::size_t r = 1; r < csv.rows.size(); ++r)
        if (csv.number(r, "U_db") > csv.number(worst, "U_db")) worst = r;
    ASSERT_EQ(std::ranges::count(table.marked, true), 1);
    const std::size_t marked = std::ranges::find(table.marked, true) - table.marked.begin();
    EXPECT_EQ(table.rows[marked][1], csv.cell(worst, "freq_ghz"));
    EXPECT_NE(table.rows[marked][0].find("worst"), std::string::npos);
    // Its budget: the CSV's u and U, and one line per source.
    const std::string budget = section_html(read_file(html), "budget");
    EXPECT_NE(budget.find("u = " + csv.cell(worst, "u_db") + " dB"), std::string::npos) << budget;
    EXPECT_NE(budget.find("U = " + csv.cell(worst, "U_db") + " dB"), std::string::npos);
    EXPECT_GE(first_table(budget).rows.size(), 8u);
}

TEST_F(Report, HtmlNeedsNothingOutsideItself) {
    const fs::path html = folder_ / "plan.html";
    const CliRun made = report(band_plan(), html, {"--advise"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "");
    const std::string page = read_file(html);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<link"), std::string::npos);
    EXPECT_EQ(page.find("@import"), std::string::npos);
    // Every reference stays in the page: a fragment or inline data.
    const std::regex reference(R"((src|href)\s*=\s*["']([^"']*)["']|url\(\s*["']?([^"')]*))",
                               std::regex::icase);
    std::size_t references = 0;
    for (auto m = std::sregex_iterator(page.begin(), page.end(), reference);
         m != std::sregex_iterator(); ++m) {
        const std::string target = (*m)[2].matched ? (*m)[2].str() : (*m)[3].str();
        ++references;
        EXPECT_TRUE(target.starts_with("#") || target.starts_with("data:")) << m->str();
    }
    EXPECT_GT(references, 0u) << "the charts' clip paths refer within the page";
    // Both charts inline, every section there.
    const std::regex svg_element(R"(<svg[\s>])");
    EXPECT_EQ(std::distance(std::sregex_iterator(page.begin(), page.end(), svg_element),
                            std::sregex_iterator()),
              2);
    for (const char* id :
         {"setup", "instruments", "files", "model", "charts", "sweep", "budget", "advice", "notes"})
        EXPECT_FALSE(section_html(page, id).empty()) << id;
    EXPECT_EQ(first_table(section_html(page, "advice")).rows.size(), 5u);
    // The data files with their SHA-256.
    const HtmlTable files = first_table(section_html(page, "files"));
    ASSERT_EQ(files.rows.size(), 2u);
    for (const auto& row : files.rows)
        EXPECT_TRUE(std::regex_match(row[2], std::regex("[0-9a-f]{64}"))) << row[2];
    EXPECT_NE(page.find("Orlavex " ORLAVEX_EXPECTED_VERSION), std::string::npos);
}

TEST_F(Report, NotesThePointsOutsideAnInstrumentOrAFile) {
    const fs::path html = folder_ / "notes.html";
    const CliRun made = report(with_notes(), html);
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string notes = section_html(read_file(html), "notes");
    EXPECT_NE(notes.find("27 points, 18 in range, 8 held"), std::string::npos) << notes;
    EXPECT_NE(notes.find("Out of range at freq_ghz 0.001:"), std::string::npos) << notes;
    // The held points in runs of one analyzer band each: 3 + 3 + 2.
    for (const char* run :
         {"at freq_ghz 19 to 21 (3 points): ", "at freq_ghz 22 to 24 (3 points): ",
          "at freq_ghz 25 to 26 (2 points): "})
        EXPECT_NE(notes.find(std::string("Held from the nearest record ") + run), std::string::npos)
            << run << notes;
    EXPECT_NE(notes.find("S-parameters: held from the nearest record, the last, at 18 GHz"),
              std::string::npos);
    EXPECT_EQ(section_html(read_file(html), "advice"), "") << "not asked for";
}

// Each page's width and height in points, rounded.
std::vector<std::pair<long, long>> media_boxes(const std::string& pdf) {
    std::vector<std::pair<long, long>> boxes;
    const std::regex box(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])");
    for (auto m = std::sregex_iterator(pdf.begin(), pdf.end(), box); m != std::sregex_iterator();
         ++m)
        boxes.emplace_back(std::lround(std::stod((*m)[1])), std::lround(std::stod((*m)[2])));
    return boxes;
}

TEST_F(Report, PdfOnA4OrLetter) {
    using Size = std::pair<long, long>;
    for (const auto& [paper, size] : std::vector<std::pair<std::string, Size>>{
             {"", {595, 842}}, {"letter", {612, 792}}, {"a4", {595, 842}}}) {
        const fs::path pdf = folder_ / ("plan-" + paper + ".pdf");
        std::vector<std::string> more;
        if (!paper.empty()) more = {"--paper", paper};
        const CliRun made = report(band_plan(), pdf, more);
        ASSERT_EQ(made.status, 0) << made.err;
        const std::string bytes = read_file(pdf);
        ASSERT_EQ(bytes.rfind("%PDF-", 0), 0u);
        const std::vector<Size> boxes = media_boxes(bytes);
        // A set-up, the charts, a 51-row table, the budget, the notes: a
        // handful of pages, each of the paper asked for.
        EXPECT_GE(boxes.size(), 4u) << paper;
        EXPECT_LE(boxes.size(), 12u) << paper;
        for (const Size& box : boxes)
            EXPECT_EQ(box, size) << paper;
        EXPECT_NE(bytes.find("/FontFile"), std::string::npos) << "text as embedded fonts";
    }
}

// A converting DUT's frequency plan is drawn in both files with its text as
// text: the page's SVG labels and the PDF's words (as pdftotext reads them)
// hold the plan's frequencies.
TEST_F(Report, DrawsTheFrequencyPlanOfAConvertingDut) {
    const std::vector<std::string> mixer = {
        "--over",     "freq",   "--from",   "10",      "--to",       "11",          "--points",
        "2",          "--freq", "10",       "--freq2", "1",          "--freq-conv", "--fixed-if",
        "--sideband", "dsb",    "--dut-nf", "8",       "--dut-gain", "10"};
    const fs::path html = folder_ / "mixer.html";
    const fs::path pdf = folder_ / "mixer.pdf";
    for (const fs::path& file : {html, pdf}) {
        const CliRun made = report(mixer, file);
        ASSERT_EQ(made.status, 0) << made.err;
    }
    const std::string page = read_file(html);
    const support::ChildRun text = support::run_child("/usr/bin/pdftotext", {pdf.string(), "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    for (const char* label : {"signal 10 GHz", "image 8 GHz", "LO 9 GHz", "output 1 GHz"}) {
        EXPECT_NE(section_html(page, "setup").find(">" + std::string(label) + "<"),
                  std::string::npos)
            << label;
        EXPECT_NE(text.out.find(label), std::string::npos) << label << " in:\n" << text.out;
    }
    EXPECT_NE(text.out.find("Frequency plan at freq_ghz (lo_side below)"), std::string::npos);
}

TEST_F(Report, RefusesABadOutputBeforeTheSweep) {
    // The ENR table does not exist: a refusal naming the output shows that
    // the output was checked first.
    std::vector<std::string> inputs = with_notes();
    inputs.insert(inputs.end(), {"--enr-table", (folder_ / "missing.enr").string()});
    for (const auto& [file, why] : std::vector<std::pair<fs::path, std::string>>{
             {folder_ / "plan.txt", "-o: the report file must end in .html or .pdf"},
             {folder_ / "no-such-folder" / "plan.html", "-o: cannot write"},
             {folder_, "-o: the report file must end in .html or .pdf"}}) {
        const CliRun r = report(inputs, file);
        EXPECT_EQ(r.status, 2) << file;
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orlavex-cli: " + why, 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(folder_ / "plan.txt"));
    const CliRun folder = report(inputs, folder_ / "sub.html");
    fs::create_directories(folder_ / "sub.html");
    const CliRun into_folder = report(inputs, folder_ / "sub.html");
    EXPECT_EQ(into_folder.status, 2);
    EXPECT_NE(into_folder.err.find("it is a folder"), std::string::npos) << into_folder.err;
    EXPECT_NE(folder.err.find("missing.enr"), std::string::npos)
        << "a good output goes on to the sweep: " << folder.err;
}

TEST_F(Report, NamesTheBenchFilesWithoutTheirFolder) {
    // Given by path or carried in a set-up file, the report is the same.
    const std::string examples = ORLAVEX_EXAMPLES_DIR;
    const std::vector<std::string> bench = {"--over",
                                            "freq",
                                            "--from",
                                            "1",
                                            "--to",
                                            "18",
                                            "--points",
                                            "5",
                                            "--loss-in-s2p",
                                            examples + "/input_cable.s2p",
                                            "--meas-enr-table",
                                            examples + "/noise_source.enr",
                                            "--save-setup",
                                            (folder_ / "bench.orlavex.json").string()};
    const CliRun given = report(bench, folder_ / "given.html");
    ASSERT_EQ(given.status, 0) << given.err;
    const CliRun reopened =
        report({"--setup", (folder_ / "bench.orlavex.json").string()}, folder_ / "reopened.html");
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    const auto undated = [](std::string html) {
        return std::regex_replace(html, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d UTC)"), "(date)");
    };
    const std::string html = undated(read_file(folder_ / "given.html"));
    EXPECT_EQ(html.find(examples), std::string::npos) << "a folder named in the report";
    EXPECT_NE(html.find(">input_cable.s2p<"), std::string::npos);
    EXPECT_EQ(html, undated(read_file(folder_ / "reopened.html")));
}

// A write that fails part way (a full disk; here a file size limit) leaves
// the previous file as it was, in every format the command line writes, and
// no temporary file beside it; the run ends with one line, not a signal.
TEST_F(Report, AFailedWriteKeepsThePreviousFile) {
    const std::string examples = ORLAVEX_EXAMPLES_DIR;
    const std::vector<std::string> band = {"--over",      "freq",
                                           "--from",      "1",
                                           "--to",        "18",
                                           "--points",    "3",
                                           "--dut-s2p",   examples + "/lna_1-18ghz.s2p",
                                           "--enr-table", examples + "/noise_source.enr"};
    const auto with = [&](std::vector<std::string> args, const std::string& option,
                          const fs::path& file) {
        args.insert(args.end(), band.begin(), band.end());
        args.insert(args.end(), {option, file.string()});
        return args;
    };
    const std::string previous(60000, 'p');
    for (const char* name : {"plan.html", "plan.pdf", "chart.png", "chart.svg", "a.orlavex.json"}) {
        const fs::path file = folder_ / name;
        const std::string extension = file.extension().string();
        const std::vector<std::string> args =
            extension == ".json"                          ? with({"sweep"}, "--save-setup", file)
            : extension == ".html" || extension == ".pdf" ? with({"report"}, "-o", file)
                                                          : with({"sweep"}, "--plot", file);
        std::ofstream(file, std::ios::binary) << previous;
        std::vector<std::string> limited = {"--fsize=4096", ORLAVEX_CLI_PATH};
        limited.insert(limited.end(), args.begin(), args.end());
        const support::ChildRun r = support::run_child("/usr/bin/prlimit", limited);
        ASSERT_TRUE(r.started) << "no /usr/bin/prlimit (util-linux)";
        EXPECT_EQ(r.status, 2) << name << ": " << r.err;
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
        EXPECT_TRUE(read_file(file) == previous) << name << " changed";
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        EXPECT_EQ(names, std::vector<std::string>{name});
        fs::remove(file);
    }
}

TEST_F(Report, ReportOptionsAreSweepsLessItsOutput) {
    const CliRun help = run_cli({"report", "--help"});
    ASSERT_EQ(help.status, 0);
    for (const char* option : {"--over", "--enr-table", "--mc", "--paper", "--advise", "--output"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(help.out.find("--format"), std::string::npos);
    EXPECT_EQ(help.out.find("--plot"), std::string::npos);
    const CliRun paper = run_cli({"report", "--over", "freq", "--from", "1", "--to", "2", "-o",
                                  (folder_ / "p.pdf").string(), "--paper", "a3"});
    EXPECT_EQ(paper.status, 2);
    EXPECT_NE(paper.err.find("--paper"), std::string::npos) << paper.err;
}

}  // namespace
}  // namespace orlavex::cli::test
