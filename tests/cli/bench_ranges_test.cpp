// The bench's numbers within what a bench can be: every loss, temperature
// and uncertainty refused outside its range by the command line and by a
// set-up file alike, the range named; its ends taken.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

struct RangeCase {
    std::string flag;  // "--loss-in"
    std::string key;   // in a set-up file's "inputs"
    double lowest, highest;
    std::string range;  // as the refusal names it
};

const std::vector<RangeCase> bench_ranges = {
    {"--loss-in", "loss_in_db", 0, 100, "0 to 100 dB"},
    {"--loss-out", "loss_out_db", 0, 100, "0 to 100 dB"},
    {"--loss-in-temp", "loss_in_temp_k", 0, 1000, "0 to 1000 K"},
    {"--loss-out-temp", "loss_out_temp_k", 0, 1000, "0 to 1000 K"},
    {"--loss-in-unc", "loss_in_unc_db", 0, 10, "0 to 10 dB"},
    {"--loss-out-unc", "loss_out_unc_db", 0, 10, "0 to 10 dB"},
    {"--meas-enr-unc", "meas_enr_unc_db", 0, 10, "0 to 10 dB"},
    {"--meas-enr", "meas_enr_db", 0, 30, "0 to 30 dB"},
};

// Just past the top of the range, and far beyond (a loss of 1e6 dB, 1e7 K).
std::vector<double> above(const RangeCase& c) {
    return {c.highest * 1.001, c.highest * 1e4};
}

// A measurement source's uncertainty needs the source.
std::vector<std::string> with_its_source(const RangeCase& c, const std::string& value) {
    std::vector<std::string> args = {"point", c.flag, value, "--trials", "100"};
    if (c.flag == "--meas-enr-unc") args.insert(args.end(), {"--meas-enr", "10"});
    return args;
}

std::string number(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

class BenchRanges : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = fs::temp_directory_path() /
                ("orlavex-bench-range-" + std::to_string(::getpid()) + ".orlavex.json");
    }
    void TearDown() override { fs::remove(file_); }

    CliRun setup_file_run(const RangeCase& c, double value) const {
        std::ofstream(file_) << "{\"format\": \"orlavex-setup\", \"version\": 1, \"inputs\": {\""
                             << c.key << "\": " << number(value)
                             << (c.key == "meas_enr_unc_db" ? ", \"meas_enr_db\": 10" : "")
                             << "}}\n";
        return run_cli({"point", "--setup", file_.string(), "--trials", "100"});
    }

    fs::path file_;
};

TEST_F(BenchRanges, AboveItsRangeEachFrontEndRefusesNamingTheRange) {
    for (const RangeCase& c : bench_ranges) {
        for (double value : above(c)) {
            SCOPED_TRACE(c.flag + " " + number(value));
            const CliRun flag = run_cli(with_its_source(c, number(value)));
            EXPECT_EQ(flag.status, 2) << flag.out;
            EXPECT_NE(flag.err.find(c.flag), std::string::npos) << flag.err;
            EXPECT_NE(flag.err.find(c.range), std::string::npos) << flag.err;
            const CliRun file = setup_file_run(c, value);
            EXPECT_EQ(file.status, 2) << file.out;
            EXPECT_NE(file.err.find(c.key.substr(0, c.key.rfind('_'))), std::string::npos)
                << file.err;
            EXPECT_NE(file.err.find(c.range), std::string::npos) << file.err;
        }
    }
}

// Below its range a value is refused, by the bench's own rule where it has
// one, naming the bottom of the range.
TEST_F(BenchRanges, BelowItsRangeTheBottomIsNamed) {
    for (const RangeCase& c : bench_ranges) {
        SCOPED_TRACE(c.flag);
        const std::string bottom = "0 " + c.range.substr(c.range.rfind(' ') + 1) + " or more";
        const CliRun flag = run_cli(with_its_source(c, number(c.lowest - 0.001)));
        EXPECT_EQ(flag.status, 2) << flag.out;
        const auto names_bottom = [&](const std::string& err) {
            return err.find(bottom) != std::string::npos || err.find(c.range) != std::string::npos;
        };
        EXPECT_TRUE(names_bottom(flag.err)) << flag.err;
        const CliRun file = setup_file_run(c, c.lowest - 0.001);
        EXPECT_EQ(file.status, 2) << file.out;
        EXPECT_TRUE(names_bottom(file.err)) << file.err;
    }
}

TEST_F(BenchRanges, TheEndsOfTheRangeAreTaken) {
    for (const RangeCase& c : bench_ranges) {
        for (double value : {c.lowest, c.highest}) {
            SCOPED_TRACE(c.flag + " " + number(value));
            const CliRun run = run_cli(with_its_source(c, number(value)));
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(setup_file_run(c, value).status, 0);
        }
    }
}

}  // namespace
}  // namespace orlavex::cli::test
