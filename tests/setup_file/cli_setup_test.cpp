#include "cli_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

const std::string examples = ORLAVEX_EXAMPLES_DIR;

class CliSetupFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("orlavex-cli-setup-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The data files copied, the set-up saved, the copies deleted: the file
// alone gives the same sweep, to the byte.
TEST_F(CliSetupFile, ASavedSetupGivesTheSameSweepAfterItsFilesAreGone) {
    for (const char* name : {"noise_source.enr", "lna_1-18ghz.s2p", "input_cable.s2p"})
        fs::copy_file(examples + "/" + name, dir_ / name);
    const CliRun direct = run_cli({"sweep",
                                   "--over",
                                   "freq",
                                   "--from",
                                   "1",
                                   "--to",
                                   "18",
                                   "--points",
                                   "9",
                                   "--analyzer",
                                   "Aravel-3",
                                   "--int-preamp",
                                   "--noise-source",
                                   "NS346B",
                                   "--enr-table",
                                   path("noise_source.enr"),
                                   "--dut-s2p",
                                   path("lna_1-18ghz.s2p"),
                                   "--loss-in-s2p",
                                   path("input_cable.s2p"),
                                   "--loss-in-temp",
                                   "200",
                                   "--dut-nf",
                                   "2",
                                   "--mc",
                                   "--trials",
                                   "300",
                                   "--format",
                                   "json",
                                   "--save-setup",
                                   path("plan.orlavex.json")});
    ASSERT_EQ(direct.status, 0) << direct.err;
    for (const char* name : {"noise_source.enr", "lna_1-18ghz.s2p", "input_cable.s2p"})
        fs::remove(dir_ / name);

    const CliRun reopened =
        run_cli({"sweep", "--setup", path("plan.orlavex.json"), "--format", "json"});
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_EQ(reopened.out, direct.out);
    const nlohmann::json file = nlohmann::json::parse(read("plan.orlavex.json"));
    EXPECT_EQ(file["data_files"]["loss_in_s2p"]["name"], "input_cable.s2p");
    EXPECT_EQ(file["inputs"]["loss_in_temp_k"], 200);

    // Saved again from the file alone: the same file.
    ASSERT_EQ(run_cli({"sweep", "--setup", path("plan.orlavex.json"), "--save-setup",
                       path("again.orlavex.json"), "--format", "csv"})
                  .status,
              0);
    EXPECT_EQ(read("again.orlavex.json"), read("plan.orlavex.json"));
}

// Options beside the file win, and --save-setup keeps what won.
TEST_F(CliSetupFile, OptionsGivenBesideTheFileOverrideIt) {
    const std::vector<std::string> base = {
        "--dut-nf",  "2",   "--dut-gain",          "28",     "--freq",   "5",  "--dut-in-rl", "15",
        "--loss-in", "0.5", "--meas-noise-source", "NS346B", "--trials", "100"};
    ASSERT_EQ(run_cli(joined({"point", "--save-setup", path("a.json")}, base)).status, 0);

    const nlohmann::json overridden = point_json(
        {"--setup", path("a.json"), "--dut-nf", "3", "--dut-in-vswr", "1.3", "--loss-in-s2p",
         examples + "/input_cable.s2p", "--meas-enr-unc", "0.3", "--save-setup", path("b.json")});
    const nlohmann::json& in = overridden["inputs"];
    EXPECT_EQ(in["dut_nf_db"], 3);
    EXPECT_EQ(in["dut_gain_db"], 28);  // the file's
    EXPECT_EQ(in["freq_ghz"], 5);
    EXPECT_EQ(in["dut_in_match"], nlohmann::json({{"vswr", 1.3}}));  // the other form goes
    EXPECT_EQ(in["loss_in_s2p"], examples + "/input_cable.s2p");     // the file's value goes
    EXPECT_EQ(in["meas_noise_source"], "NS346B");                    // kept with its new unc
    EXPECT_EQ(in["meas_enr_unc_db"], 0.3);

    const nlohmann::json saved = nlohmann::json::parse(read("b.json"));
    EXPECT_EQ(saved["inputs"]["dut_nf_db"], 3);
    EXPECT_EQ(saved["inputs"]["dut_in_vswr"], 1.3);
    EXPECT_FALSE(saved["inputs"].contains("dut_in_rl_db"));
    EXPECT_FALSE(saved["inputs"].contains("loss_in_db"));
    EXPECT_EQ(saved["data_files"]["loss_in_s2p"]["name"], "input_cable.s2p");
    EXPECT_EQ(saved["inputs"]["meas_enr_unc_db"], 0.3);

    // The set-up as the command ran with it: a value the window holds to its
    // range is saved as the window took it, and so reopens.
    ASSERT_EQ(run_cli({"point", "--setup", path("a.json"), "--dut-nf", "150", "--save-setup",
                       path("c.json")})
                  .status,
              0);
    EXPECT_EQ(nlohmann::json::parse(read("c.json"))["inputs"]["dut_nf_db"], 100);
    EXPECT_EQ(run_cli({"point", "--setup", path("c.json")}).status, 0);
}

// Sweep and advise take their range from the file, evaluate its levels.
TEST_F(CliSetupFile, TheFileGivesWhatIsOtherwiseRequired) {
    ASSERT_EQ(run_cli({"sweep", "--over", "dut-gain", "--from", "10", "--to", "30", "--points", "3",
                       "--save-setup", path("s.json")})
                  .status,
              0);
    const CliRun sweep = run_cli({"sweep", "--setup", path("s.json"), "--format", "csv"});
    ASSERT_EQ(sweep.status, 0) << sweep.err;
    EXPECT_EQ(sweep.out.substr(0, sweep.out.find(',')), "dut_gain_db");
    EXPECT_EQ(std::count(sweep.out.begin(), sweep.out.end(), '\n'), 4);
    EXPECT_EQ(run_cli({"advise", "--setup", path("s.json"), "--json"}).status, 0);

    ASSERT_EQ(run_cli({"evaluate", "--cal-on", "-108.896", "--cal-off", "-114", "--meas-on",
                       "-94.663", "--meas-off", "-102.223", "--save-setup", path("e.json")})
                  .status,
              0);
    const CliRun evaluated = run_cli({"evaluate", "--setup", path("e.json"), "--json"});
    ASSERT_EQ(evaluated.status, 0) << evaluated.err;
    EXPECT_EQ(evaluated.json()["inputs"]["levels_dbm"]["meas_on"], -94.663);

    // A point's set-up holds no range: it must be given.
    ASSERT_EQ(run_cli({"point", "--trials", "10", "--save-setup", path("p.json")}).status, 0);
    const CliRun no_range = run_cli({"sweep", "--setup", path("p.json")});
    EXPECT_EQ(no_range.status, 2);
    EXPECT_EQ(no_range.err,
              "orlavex-cli: --from and --to are required: the set-up file gives no range\n");
    EXPECT_EQ(
        run_cli({"advise", "--setup", path("p.json"), "--from", "1", "--to", "2", "--points", "3"})
            .status,
        0);

    // Without a file the range is required as before.
    const CliRun missing = run_cli({"sweep", "--over", "freq", "--to", "3"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "orlavex-cli: --from is required\n");
}

// A bad file: its one line, status 2, nothing written, for every command.
TEST_F(CliSetupFile, ABadFileIsRefusedWithItsLineAndNothingIsWritten) {
    write("bad.json",
          "{\n  \"format\": \"orlavex-setup\",\n  \"version\": 1,\n  \"inputs\": {\n"
          "    \"dut_gain_db\": true\n  }\n}\n");
    const std::string message = "orlavex-cli: " + path("bad.json") +
                                ":5: /inputs/dut_gain_db: expected a number, got a boolean\n";
    for (const std::vector<std::string>& command : {std::vector<std::string>{"point"},
                                                    {"evaluate"},
                                                    {"sweep", "--format", "csv"},
                                                    {"advise"}}) {
        const CliRun run = run_cli(
            joined(command, {"--setup", path("bad.json"), "--save-setup", path("never.json")}));
        EXPECT_EQ(run.status, 2) << command[0];
        EXPECT_EQ(run.err, message) << command[0];
        EXPECT_EQ(run.out, "") << command[0];
        EXPECT_FALSE(fs::exists(path("never.json"))) << command[0];
    }
    write("newer.json", "{\"format\": \"orlavex-setup\", \"version\": 2}");
    const CliRun newer = run_binary({"point", "--setup", path("newer.json")});
    EXPECT_EQ(newer.status, 2);
    EXPECT_EQ(newer.err, "orlavex-cli: " + path("newer.json") +
                             ":1: /version: version 2 is newer than this program reads (1); "
                             "update Orlavex\n");
    const CliRun missing = run_cli({"point", "--setup", path("none.json")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "orlavex-cli: " + path("none.json") + ": no such file\n");
    const CliRun unwritable =
        run_cli({"point", "--save-setup", path("no-such-dir/a.json"), "--trials", "10"});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(unwritable.out, "");
    EXPECT_EQ(unwritable.err.substr(0, 27), "orlavex-cli: --save-setup: ");
}

}  // namespace
}  // namespace orlavex::cli::test
