// The readings a band plan with the DUT's S-parameters predicts, evaluated
// as an engineer evaluates them (orlavex-cli evaluate --readings with the
// plan's set-up file), carry the mismatch of the file's S11 and S22 at each
// reading's frequency in their budget, as the plan's sweep does at its
// points.
#include "app/inputs/sweep_request.h"
#include "app/results/point.h"
#include "app/setup_file/setup_file.h"
#include "cli_runner.h"
#include "measure/simulation.h"
#include "planned_readings.h"
#include "planning/sweep.h"

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

struct Case {
    const char* why;
    const char* s2p;  // the DUT's file
    std::vector<std::string> plan;
};

// Two-port files, magnitude and angle: 20 dB of gain, S11 and S22 changing
// over the band.
constexpr const char* matched_dut =
    "# GHz S MA R 50\n"
    "1 0.02 -30 10 60 0.01 0 0.03 20\n"
    "4 0.05 -80 10 10 0.01 0 0.04 -10\n"
    "9 0.08 -150 9 -70 0.01 0 0.06 -60\n";
constexpr const char* poorly_matched_dut =
    "# GHz S MA R 50\n"
    "1 0.45 -30 10 60 0.01 0 0.30 20\n"
    "4 0.60 -80 10 10 0.01 0 0.50 -10\n"
    "9 0.70 -150 9 -70 0.01 0 0.65 -60\n";

class DutFileReadings : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("orlavex-dut-file-readings-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "matched.s2p") << matched_dut;
        std::ofstream(folder_ / "poor.s2p") << poorly_matched_dut;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // The plan of C saved, swept again from its file as the planner does.
    planning::SweepResult plan(const Case& c) const {
        std::vector<std::string> args = {"--over",   "freq", "--format",  "csv",
                                         "--dut-nf", "2",    "--dut-s2p", path(c.s2p)};
        args.insert(args.end(), c.plan.begin(), c.plan.end());
        return saved_plan(args, path("plan.orlavex.json"));
    }

    // The four readings the plan's model predicts at every point.
    std::string readings_file(const planning::SweepResult& plan) const {
        return predicted_readings_file(plan, path("readings.csv"));
    }

    fs::path folder_;
};

// The budget's mismatch lines by source.
std::vector<std::pair<std::string, double>> mismatch_lines(const nlohmann::json& gum) {
    std::vector<std::pair<std::string, double>> lines;
    for (const nlohmann::json& line : gum["budget"]) {
        const std::string source = line["source"];
        if (source.starts_with("mismatch")) lines.emplace_back(source, line["u_i_db"]);
    }
    return lines;
}

TEST_F(DutFileReadings, TakeTheFilesMatchesAtEveryFrequency) {
    const Case cases[] = {
        {"a matched DUT", "matched.s2p", {"--from", "1", "--to", "9", "--points", "5"}},
        {"a poorly matched DUT, a poorly matched analyzer",
         "poor.s2p",
         {"--from", "1.5", "--to", "8", "--points", "4", "--analyzer-vswr", "1.8"}},
        {"frequencies above the file", "poor.s2p", {"--from", "8", "--to", "11", "--points", "4"}},
        {"an ENR table with the source's reflections beside the file",
         "poor.s2p",
         {"--from", "1", "--to", "3", "--points", "3", "--enr-table",
          std::string(ORLAVEX_TEST_DATA_DIR) + "/reflections_source.enr"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const planning::SweepResult planned = plan(c);
        const nlohmann::json rows =
            evaluated_rows(path("plan.orlavex.json"), readings_file(planned));
        ASSERT_EQ(rows.size(), planned.points.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const planning::SweepPoint& p = planned.points[i];
            ASSERT_TRUE(p.in_range) << p.note;
            const nlohmann::json& gum = rows[i]["gum"];
            const auto lines = mismatch_lines(gum);
            const auto planned_lines = mismatch_lines(app::gum_json(p.gum));
            ASSERT_EQ(lines.size(), planned_lines.size()) << p.freq_ghz;
            ASSERT_FALSE(lines.empty());
            for (std::size_t k = 0; k < lines.size(); ++k) {
                EXPECT_EQ(lines[k].first, planned_lines[k].first);
                EXPECT_NEAR(lines[k].second, planned_lines[k].second, 1e-9)
                    << lines[k].first << " at " << p.freq_ghz;
            }
            EXPECT_NEAR(gum["U_db"].get<double>(), p.gum.U_db, 1e-6 * p.gum.U_db) << p.freq_ghz;
            // The file's values held from its last record are noted, as
            // the plan's point is.
            const bool held = p.freq_ghz > 9;
            EXPECT_EQ(rows[i]["notes"].dump().find("DUT S-parameters: held") != std::string::npos,
                      held)
                << rows[i]["notes"];
            EXPECT_EQ(rows[i]["notes"].dump().find("not used"), std::string::npos)
                << rows[i]["notes"];
        }
    }
}

// What A gives, then B.
std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// evaluate's own --dut-s2p takes the file the way a set-up file's is taken:
// given alone, or over a set-up file holding another file (it replaces that
// one, as point's does), it prints byte for byte what a set-up file holding
// it with the same inputs prints, for a band of readings in each format and
// for four levels.
TEST_F(DutFileReadings, AnOptionGivesWhatTheSetUpFilesFileGives) {
    const std::vector<std::string> range = {"--from", "1.5", "--to", "8", "--points", "4"};
    const std::vector<std::string> typed = {"--analyzer-vswr", "1.8"};
    plan({"", "matched.s2p", joined(range, typed)});
    fs::copy_file(path("plan.orlavex.json"), path("matched.orlavex.json"));
    const std::string readings = readings_file(plan({"", "poor.s2p", joined(range, typed)}));
    // The file alone with the inputs typed beside it, saved.
    const CliRun saved =
        run_cli(joined({"sweep", "--over", "freq", "--format", "csv", "--dut-s2p", path("poor.s2p"),
                        "--save-setup", path("typed.orlavex.json")},
                       joined(range, typed)));
    ASSERT_EQ(saved.status, 0) << saved.err;

    struct Way {
        const char* why;
        std::vector<std::string> args;
        std::string setup;  // the set-up file holding the file, to compare with
    };
    const Way ways[] = {
        {"the option alone, the inputs typed", joined({"--dut-s2p", path("poor.s2p")}, typed),
         path("typed.orlavex.json")},
        {"the option over a set-up file holding another file",
         {"--setup", path("matched.orlavex.json"), "--dut-s2p", path("poor.s2p")},
         path("plan.orlavex.json")},
    };
    const std::vector<std::string> outputs[] = {
        {"--readings", readings, "--format", "table"},
        {"--readings", readings, "--format", "csv"},
        {"--readings", readings, "--format", "json"},
        {"--json", "--freq", "4.2", "--cal-on", "-108.896", "--cal-off", "-114", "--meas-on",
         "-94.663", "--meas-off", "-102.223"},
    };
    for (const Way& way : ways) {
        for (const std::vector<std::string>& output : outputs) {
            SCOPED_TRACE(std::string(way.why) + ", " + output.front() + " " + output.back());
            const CliRun expected = run_cli(joined({"evaluate", "--setup", way.setup}, output));
            ASSERT_EQ(expected.status, 0) << expected.err;
            const CliRun given = run_cli(joined(joined({"evaluate"}, way.args), output));
            ASSERT_EQ(given.status, 0) << given.err;
            EXPECT_EQ(given.out, expected.out);
        }
    }
}

// Four levels at a frequency take the file there as a band of readings
// takes it at that frequency: the same mismatch rows and U, with no note
// that the file goes unused.
TEST_F(DutFileReadings, FourLevelsTakeTheFileAsTheReadingsDo) {
    const Case c{"", "poor.s2p", {"--from", "1", "--to", "11", "--points", "3"}};
    const planning::SweepResult planned = plan(c);
    const nlohmann::json rows = evaluated_rows(path("plan.orlavex.json"), readings_file(planned));
    ASSERT_EQ(rows.size(), planned.points.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const planning::SweepPoint& p = planned.points[i];
        SCOPED_TRACE(p.freq_ghz);
        const measure::ReadingLevels l =
            measure::reading_levels(measure::simulate_readings(p.setup, {}));
        const CliRun single =
            run_cli({"evaluate", "--setup", path("plan.orlavex.json"), "--json", "--freq",
                     exact_number(p.freq_ghz), "--cal-on", exact_number(l.cal_on_dbm), "--cal-off",
                     exact_number(l.cal_off_dbm), "--meas-on", exact_number(l.meas_on_dbm),
                     "--meas-off", exact_number(l.meas_off_dbm)});
        ASSERT_EQ(single.status, 0) << single.err;
        const nlohmann::json e = single.json();
        const auto lines = mismatch_lines(e["gum"]);
        const auto band_lines = mismatch_lines(rows[i]["gum"]);
        ASSERT_EQ(lines.size(), band_lines.size());
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].first, band_lines[k].first);
            // The single levels go through the fields' rounding; the band's do not.
            EXPECT_NEAR(lines[k].second, band_lines[k].second, 1e-3 * band_lines[k].second)
                << lines[k].first;
        }
        EXPECT_NEAR(e["gum"]["U_db"].get<double>(), rows[i]["U_db"].get<double>(), 1e-4);
        EXPECT_EQ(e.value("notes", nlohmann::json::array()).dump().find("not used"),
                  std::string::npos)
            << e["notes"];
    }
}

}  // namespace
}  // namespace orlavex::cli::test
