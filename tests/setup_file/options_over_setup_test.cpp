// Every input of the command line laid over a set-up file: the real binary
// runs with it or refuses it in one line, and never ends by a signal.
#include "cli_runner.h"
#include "option_examples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

class OptionsOverSetup : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlavex-options-over-setup-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> with_few_trials(std::vector<std::string> args) {
    if (std::ranges::find(args, "--trials") == args.end())
        args.insert(args.end(), {"--trials", "200"});
    return args;
}

// Without a measurement source in the file, its uncertainty and match alone
// are refused.
const std::set<std::string, std::less<>> needs_a_measurement_source{
    "meas_enr_unc", "meas_source_vswr", "meas_source_rl"};

TEST_F(OptionsOverSetup, EveryOptionOverASweepsFileRunsOrIsRefusedInOneLine) {
    const CliRun save = run_cli({"sweep", "--over", "freq", "--from", "1", "--to", "2", "--format",
                                 "csv", "--save-setup", path("b.json")});
    ASSERT_EQ(save.status, 0) << save.err;
    for (const std::string& keyword : point_keywords()) {
        const std::vector<std::string> option = example_args(keyword);
        ASSERT_FALSE(option.empty()) << keyword;
        const CliRun run =
            run_binary(with_few_trials(joined({"point", "--setup", path("b.json")}, option)));
        const bool refused = needs_a_measurement_source.contains(keyword);
        EXPECT_EQ(run.status, refused ? 2 : 0) << keyword << ": " << run.err;
        EXPECT_EQ(std::ranges::count(run.err, '\n'), refused ? 1 : 0) << keyword << ": " << run.err;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
