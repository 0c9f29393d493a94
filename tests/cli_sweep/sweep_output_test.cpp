// orlavex-cli sweep: the CSV's columns and rows, the swept value's column,
// the Monte Carlo columns, out-of-range points, and agreement with `point`
// and between the CSV and the JSON; the CSV file the planner exports.
#include "app/results/sweep_output.h"
#include "app/inputs/sweep_request.h"
#include "cli_runner.h"
#include "csv_table.h"
#include "output_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using Args = std::vector<std::string>;

CsvTable sweep_csv(Args args) {
    args.insert(args.begin(), "sweep");
    args.insert(args.end(), {"--format", "csv"});
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return parse_csv(r.out);
}

std::size_t count(const std::vector<std::string>& header, const std::string& name) {
    return static_cast<std::size_t>(std::ranges::count(header, name));
}

TEST(SweepCsv, HasOneHeaderRowAndOneRowPerPointInTheDocumentedOrder) {
    const CliRun r = run_cli({"sweep", "--over", "freq", "--from", "1", "--to", "10", "--points",
                              "7", "--format", "csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    const CsvTable csv = parse_csv(r.out);
    const std::vector<std::string> expected = {
        "freq_ghz",   "enr_db",         "enr_unc_db", "source_vswr", "dut_gain_db",
        "dut_nf_db",  "analyzer_nf_db", "ycal_db",    "ymeas_db",    "nf_sys_db",
        "margin1_db", "margin2_db",     "margin3_db", "lamp1",       "lamp2",
        "lamp3",      "rss_db",         "u_db",       "U_db",        "note"};
    EXPECT_EQ(csv.header, expected);
    ASSERT_EQ(csv.rows.size(), 7u);
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        EXPECT_EQ(csv.rows[i].size(), expected.size()) << "row " << i;
        EXPECT_NEAR(csv.number(i, "freq_ghz"), 1 + 1.5 * static_cast<double>(i), 1e-9);
    }
    // Spreadsheet line ends, no blank line at the end.
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\r\n");
    EXPECT_EQ(r.out.find("\r\n\r\n"), std::string::npos);
    // The window's start-up values at every frequency of a "User" set-up.
    EXPECT_EQ(csv.cell(3, "ycal_db"), "5.1037");
    EXPECT_EQ(csv.cell(3, "ymeas_db"), "7.5607");
    EXPECT_EQ(csv.cell(3, "rss_db"), "0.1134");
    EXPECT_EQ(csv.cell(3, "lamp2"), "green");
}

TEST(SweepCsv, NamesTheSweptValueFirstWithItsUnitAndOnlyOnce) {
    struct Case {
        Args over;
        std::string column;
    };
    const Case cases[] = {
        {{"--over", "freq", "--from", "1", "--to", "2"}, "freq_ghz"},
        {{"--over", "dut-gain", "--from", "10", "--to", "20"}, "dut_gain_db"},
        {{"--over", "dut-nf", "--from", "1", "--to", "9"}, "dut_nf_db"},
        {{"--over", "enr", "--from", "6", "--to", "22"}, "enr_db"},
        {{"--over", "analyzer-nf", "--from", "8", "--to", "20"}, "analyzer_own_nf_db"},
        {{"--over", "toff", "--from", "0", "--to", "40"}, "toff_c"},
        {{"--over", "source-match", "--from", "1.05", "--to", "1.5"}, "source_vswr"},
        {{"--over", "source-match", "--match-form", "rl", "--from", "10", "--to", "30"},
         "source_rl_db"},
        {{"--over", "dut-in-match", "--from", "1.1", "--to", "2"}, "dut_in_vswr"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        Args args = c.over;
        args.insert(args.end(), {"--points", "3"});
        const CsvTable csv = sweep_csv(args);
        ASSERT_FALSE(csv.header.empty());
        EXPECT_EQ(csv.header.front(), c.column);
        EXPECT_EQ(count(csv.header, c.column), 1u);
        EXPECT_EQ(count(csv.header, "freq_ghz"), 1u);
        EXPECT_EQ(count(csv.header, "note"), 1u);
        ASSERT_EQ(csv.rows.size(), 3u);
        EXPECT_EQ(csv.rows.front().front(), c.over[c.over.size() - 3]);  // --from's value
        EXPECT_EQ(csv.rows.back().front(), c.over.back());               // --to's value
    }
}

TEST(SweepCsv, TheSweptInputReachesTheFiguresItDrives) {
    const CsvTable gain =
        sweep_csv({"--over", "dut-gain", "--from", "5", "--to", "25", "--points", "3"});
    // Guideline 1 is (NF + G)dut - NFsa: it rises with the gain one for one.
    EXPECT_NEAR(gain.number(2, "margin1_db") - gain.number(0, "margin1_db"), 20.0, 1e-9);
    const CsvTable source = sweep_csv({"--over", "source-match", "--match-form", "rl", "--from",
                                       "10", "--to", "30", "--points", "3"});
    // 20 dB return loss is a VSWR of 1.2222.
    EXPECT_EQ(source.cell(1, "source_vswr"), "1.2222");
}

TEST(SweepCsv, HasTheMonteCarloBandOnlyWithMc) {
    const Args range = {"--over", "dut-nf", "--from", "2", "--to", "10", "--points", "3"};
    const CsvTable plain = sweep_csv(range);
    EXPECT_EQ(count(plain.header, "mc_lo_db"), 0u);
    EXPECT_EQ(count(plain.header, "mc_hi_db"), 0u);

    Args with_mc = range;
    with_mc.insert(with_mc.end(), {"--mc", "--trials", "4000"});
    const CsvTable mc = sweep_csv(with_mc);
    ASSERT_EQ(mc.header.size(), plain.header.size() + 2);
    EXPECT_EQ(mc.header[mc.header.size() - 3], "mc_lo_db");
    EXPECT_EQ(mc.header[mc.header.size() - 2], "mc_hi_db");
    for (std::size_t i = 0; i < mc.rows.size(); ++i) {
        const double lo = mc.number(i, "mc_lo_db"), hi = mc.number(i, "mc_hi_db");
        const double expanded = mc.number(i, "U_db");
        EXPECT_LT(lo, 0);
        EXPECT_GT(hi, 0);
        // Nearly linear here: the 95 % interval's half width is close to U.
        EXPECT_NEAR((hi - lo) / 2, expanded, 0.2 * expanded) << "row " << i;
    }
}

TEST(SweepCsv, AgreesWithPointAtEveryFrequency) {
    const Args setup = {"--analyzer", "Aravel-3", "--noise-source", "NS346C", "--dut-nf", "4"};
    Args args = {"--over", "freq", "--from", "1", "--to", "26", "--points", "6"};
    args.insert(args.end(), setup.begin(), setup.end());
    const CsvTable csv = sweep_csv(args);
    ASSERT_EQ(csv.rows.size(), 6u);
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        SCOPED_TRACE(csv.cell(i, "freq_ghz"));
        Args point = setup;
        point.insert(point.end(), {"--freq", csv.cell(i, "freq_ghz")});
        const nlohmann::json j = point_json(point);
        const nlohmann::json& classic = j["classic"];
        EXPECT_NEAR(csv.number(i, "ycal_db"), classic["ycal_db"].get<double>(), 5e-5);
        EXPECT_NEAR(csv.number(i, "ymeas_db"), classic["ymeas_db"].get<double>(), 5e-5);
        EXPECT_NEAR(csv.number(i, "nf_sys_db"), classic["nf_sys_db"].get<double>(), 5e-5);
        EXPECT_NEAR(csv.number(i, "analyzer_nf_db"), classic["nf_sa_net_db"].get<double>(), 5e-5);
        EXPECT_NEAR(csv.number(i, "rss_db"), classic["rss_db"].get<double>(), 5e-5);
        EXPECT_NEAR(csv.number(i, "U_db"), j["gum"]["U_db"].get<double>(), 5e-5);
        for (int g = 0; g < 3; ++g)
            EXPECT_EQ(csv.cell(i, "lamp" + std::to_string(g + 1)),
                      classic["guidelines"][g]["lamp"].get<std::string>());
    }
}

TEST(SweepCsv, LeavesOutOfRangePointsEmptyButForTheirFrequencyAndNote) {
    const CsvTable csv = sweep_csv(
        {"--over", "freq", "--from", "2", "--to", "14", "--points", "4", "--analyzer", "Aravel-1"});
    ASSERT_EQ(csv.rows.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const bool above_limit = csv.number(i, "freq_ghz") > 8;
        for (const char* column : {"enr_db", "ycal_db", "lamp1", "rss_db", "U_db"})
            EXPECT_EQ(csv.cell(i, column).empty(), above_limit) << column;
        EXPECT_FALSE(csv.cell(i, "note").empty());
        if (above_limit) {
            EXPECT_NE(csv.cell(i, "note").find("8 GHz"), std::string::npos);
        }
    }
}

TEST(SweepCsv, SpacesLogarithmicPointsGeometrically) {
    const CsvTable csv =
        sweep_csv({"--over", "freq", "--from", "0.1", "--to", "10", "--points", "5", "--log"});
    ASSERT_EQ(csv.rows.size(), 5u);
    // To the five significant digits the frequency field takes.
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(std::log10(csv.number(i, "freq_ghz")), -1 + 0.5 * static_cast<double>(i), 1e-5);
}

// Every cell of the CSV says what the JSON says: the same number to the
// CSV's decimals, empty where JSON has null, the same note.
TEST(SweepFormats, CsvAndJsonAgreeCellByCell) {
    const Args args = {"sweep",      "--over",      "freq",
                       "--from",     "1",           "--to",
                       "14",         "--points",    "5",
                       "--analyzer", "Aravel-2",    "--noise-source",
                       "NS346B",     "--mc",        "--trials",
                       "500",        "--enr-table", ORLAVEX_EXAMPLES_DIR "/noise_source.enr"};
    Args csv_args = args, json_args = args;
    csv_args.insert(csv_args.end(), {"--format", "csv"});
    json_args.insert(json_args.end(), {"--format", "json"});
    const CliRun csv_run = run_cli(csv_args), json_run = run_cli(json_args);
    ASSERT_EQ(csv_run.status, 0) << csv_run.err;
    ASSERT_EQ(json_run.status, 0) << json_run.err;
    const CsvTable csv = parse_csv(csv_run.out);
    const nlohmann::json json = json_run.json();
    EXPECT_EQ(json["over"], "freq");
    EXPECT_EQ(json["column"], "freq_ghz");
    ASSERT_EQ(json["points"].size(), csv.rows.size());
    // A note with commas arrives quoted and whole.
    EXPECT_NE(csv_run.out.find("\"Aravel-2"), std::string::npos);
    for (std::size_t i = 0; i < csv.rows.size(); ++i) {
        const nlohmann::json& point = json["points"][i];
        for (const std::string& column : csv.header) {
            SCOPED_TRACE(column + " row " + std::to_string(i));
            const nlohmann::json& value = point.at(column);
            const std::string& cell = csv.cell(i, column);
            if (value.is_null()) {
                EXPECT_EQ(cell, "");
            } else if (value.is_string()) {
                EXPECT_EQ(cell, value.get<std::string>());
            } else {
                ASSERT_FALSE(cell.empty());
                EXPECT_NEAR(std::stod(cell), value.get<double>(), 0.00501);
            }
        }
    }
}

TEST(SweepTable, ShowsTheSweptValueAndTheFiguresAnEngineerReadsFirst) {
    const CliRun r = run_cli({"sweep", "--over", "dut-gain", "--from", "10", "--to", "20",
                              "--points", "3", "--mc", "--trials", "500"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string first_line = r.out.substr(0, r.out.find('\n'));
    for (const char* column :
         {"dut_gain_db", "freq_ghz", "ycal_db", "rss_db", "U_db", "mc_lo_db", "mc_hi_db", "note"})
        EXPECT_NE(first_line.find(column), std::string::npos) << column;
    EXPECT_EQ(first_line.find("dut_gain_db"), 0u);
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 4);
}

// A size limit on the files this process writes, as a full disk would
// stop a write; SIGXFSZ ignored, so that the write fails instead.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit before_{};
    void (*handler_)(int) = nullptr;
};

// The planner's File > Export > CSV: the command line's CSV, written whole
// or not at all, so that a failed export leaves the previous file and no
// temporary file beside it.
TEST(SweepCsvFile, IsTheCsvWrittenWholeOrNotAtAll) {
    app::SweepRequest request;
    request.from = 1;
    request.to = 18;
    request.points = 200;
    std::vector<std::string> notes;
    const planning::SweepResult result = planning::run_sweep(app::make_sweep(request, {}, notes));
    std::ostringstream csv;
    app::write_sweep_csv(csv, result, false);
    ASSERT_GT(csv.str().size(), 8192u);

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orlavex-csv-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "sweep.csv";
    EXPECT_EQ(app::write_sweep_csv_file(file, result, false), "");
    EXPECT_EQ(read_file(file), csv.str());

    const std::string previous(60000, 'p');
    std::ofstream(file, std::ios::binary) << previous;
    {
        const FileSizeLimit limit(4096);
        EXPECT_EQ(app::write_sweep_csv_file(file, result, false), "File too large");
    }
    EXPECT_TRUE(read_file(file) == previous) << "the previous file changed";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(folder);
}

TEST(SweepErrors, RefusesBadRequestsWithOneLineAndStatusTwo) {
    const Args bad[] = {
        {"sweep", "--over", "bandwidth", "--from", "1", "--to", "2"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--points", "1"},
        {"sweep", "--over", "freq", "--to", "2"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--format", "xls"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--plot", "chart.jpg"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--fixed-lo"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--analyzer", "Nonesuch"},
        {"sweep", "--over", "freq", "--from", "-1", "--to", "2", "--log"},
    };
    for (const Args& args : bad) {
        SCOPED_TRACE(args.back());
        const CliRun r = run_cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err.rfind("orlavex-cli: ", 0), 0u) << r.err;
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
