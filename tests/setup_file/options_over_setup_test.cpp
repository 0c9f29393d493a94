// Every input of the command line laid over a set-up file: the real binary
// runs with it or refuses it in one line, and never ends by a signal; and
// an input laid over a file that holds the one it excludes saves a file
// that reopens.
#include "cli_runner.h"
#include "option_examples.h"

#include "app/inputs/model_inputs.h"

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
    nlohmann::json saved(const std::string& name) const {
        std::ifstream in(path(name));
        return nlohmann::json::parse(in);
    }

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

// The input's key as the saved file holds it, among its inputs or its
// data files.
bool holds(const nlohmann::json& file, const std::string& keyword) {
    const std::string key = setup_key(keyword);
    return file["inputs"].contains(key) ||
           (file.contains("data_files") && file["data_files"].contains(key));
}

TEST_F(OptionsOverSetup, AnInputOverAFileHoldingTheOneItExcludesSavesAFileThatReopens) {
    for (const auto& [first, second] : exclusive_pairs()) {
        std::vector<std::string> base = {"point"};
        if (needs_a_measurement_source.contains(first))
            base.insert(base.end(), {"--meas-enr", "15"});
        const std::string label = first + " then " + second;
        const CliRun a = run_cli(with_few_trials(
            joined(joined(base, example_args(first)), {"--save-setup", path("a.json")})));
        ASSERT_EQ(a.status, 0) << label << ": " << a.err;
        ASSERT_TRUE(holds(saved("a.json"), first)) << label;

        const CliRun b = run_cli(with_few_trials(
            joined(joined({"point", "--setup", path("a.json")}, example_args(second)),
                   {"--save-setup", path("b.json")})));
        ASSERT_EQ(b.status, 0) << label << ": " << b.err;
        EXPECT_TRUE(holds(saved("b.json"), second)) << label;
        EXPECT_FALSE(holds(saved("b.json"), first)) << label;
        const CliRun reopened = run_cli(with_few_trials({"point", "--setup", path("b.json")}));
        EXPECT_EQ(reopened.status, 0) << label << ": " << reopened.err;
    }
}

// Each option of the measurement model, as a new one would be added: the
// point's JSON echoes the value given, the saved set-up file holds it, and
// the point of the reopened file echoes it again.
TEST_F(OptionsOverSetup, EveryModelOptionIsEchoedSavedAndReopened) {
    for (const app::ModelInput& row : app::model_inputs) {
        if (row.monte_carlo) continue;  // the Monte Carlo's own: in its result
        const std::vector<std::string> option = example_args(row.name);
        const std::string& given = option[1];
        const auto echoed = [&](const nlohmann::json& inputs) {
            const nlohmann::json& value = inputs.at(std::string(row.key));
            return value.is_string() ? value.get<std::string>() == given
                                     : value.get<double>() == std::stod(given);
        };
        const CliRun first = run_cli(joined(joined({"point", "--no-mc", "--json"}, option),
                                            {"--save-setup", path("m.json")}));
        ASSERT_EQ(first.status, 0) << row.name << ": " << first.err;
        EXPECT_TRUE(echoed(nlohmann::json::parse(first.out)["inputs"])) << row.name;
        EXPECT_TRUE(echoed(saved("m.json")["inputs"])) << row.name;
        const CliRun reopened = run_cli({"point", "--no-mc", "--json", "--setup", path("m.json")});
        ASSERT_EQ(reopened.status, 0) << row.name << ": " << reopened.err;
        EXPECT_TRUE(echoed(nlohmann::json::parse(reopened.out)["inputs"])) << row.name;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
