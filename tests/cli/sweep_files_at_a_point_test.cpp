// A sweep's set-up file opened by point or evaluate: its ENR table and DUT
// S-parameters fill fields point by point in a sweep, which a single point
// does not do. The result says so rather than pass for the plan's figures.
// evaluate takes both files at the levels' frequency, as the sweep does.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

class SweepFilesAtAPoint : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orlavex-sweep-files-at-a-point-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A band plan with both data files, saved.
    std::string saved_plan(std::vector<std::string> files) const {
        const std::string file = (folder_ / "plan.orlavex.json").string();
        std::vector<std::string> args = {
            "sweep", "--over",   "freq", "--from",       "1", "--to", "2", "--points",
            "2",     "--format", "csv",  "--save-setup", file};
        args.insert(args.end(), files.begin(), files.end());
        const CliRun saved = run_cli(args);
        EXPECT_EQ(saved.status, 0) << saved.err;
        return file;
    }

    fs::path folder_;
};

const std::string data = ORLAVEX_TEST_DATA_DIR;

bool has_note_with(const nlohmann::json& result, const std::string& words) {
    if (!result.contains("notes")) return false;
    for (const nlohmann::json& note : result["notes"])
        if (note.get<std::string>().find(words) != std::string::npos) return true;
    return false;
}

TEST_F(SweepFilesAtAPoint, PointSaysItDoesNotUseThemEvaluateTakesThem) {
    const std::string plan =
        saved_plan({"--enr-table", data + "/source.enr", "--dut-s2p", data + "/dut_db.s2p"});
    const nlohmann::json point = point_json({"--setup", plan});
    EXPECT_TRUE(has_note_with(point,
                              "the set-up's ENR table (source.enr) and DUT S-parameters "
                              "(dut_db.s2p) are not used: point"))
        << point["notes"];
    const CliRun table = run_cli({"point", "--setup", plan, "--trials", "100"});
    EXPECT_NE(table.out.find("Note: the set-up's ENR table"), std::string::npos) << table.out;

    const std::vector<std::string> levels = {"--json",    "--cal-on",   "-108.896",
                                             "--cal-off", "-114",       "--meas-on",
                                             "-94.663",   "--meas-off", "-102.223"};
    std::vector<std::string> with_plan = {"evaluate", "--setup", plan};
    with_plan.insert(with_plan.end(), levels.begin(), levels.end());
    std::vector<std::string> typed = {"evaluate"};
    typed.insert(typed.end(), levels.begin(), levels.end());
    const CliRun evaluated = run_cli(with_plan);
    const CliRun as_typed = run_cli(typed);
    ASSERT_EQ(evaluated.status, 0) << evaluated.err;
    ASSERT_EQ(as_typed.status, 0) << as_typed.err;
    // Evaluate takes the ENR table and the DUT's matches at the levels'
    // frequency (the levels measure the DUT's gain and noise figure).
    EXPECT_FALSE(has_note_with(evaluated.json(), "not used")) << evaluated.out;
    EXPECT_FALSE(has_note_with(evaluated.json(), "ENR table")) << evaluated.out;
    for (const char* taken : {"enr_db", "dut_in_match", "dut_out_match"}) {
        EXPECT_NE(evaluated.json()["inputs"][taken], as_typed.json()["inputs"][taken]) << taken;
    }
}

TEST_F(SweepFilesAtAPoint, NamesOnlyTheFilesThereAre) {
    const nlohmann::json enr_only =
        point_json({"--setup", saved_plan({"--enr-table", data + "/source.enr"})});
    EXPECT_TRUE(has_note_with(enr_only, "the set-up's ENR table (source.enr) is not used"))
        << enr_only["notes"];
    const nlohmann::json none = point_json({"--setup", saved_plan({})});
    EXPECT_FALSE(none.contains("notes")) << none["notes"];
}

}  // namespace
}  // namespace orlavex::cli::test
