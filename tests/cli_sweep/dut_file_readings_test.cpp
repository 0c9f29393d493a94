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

std::string number(double x) {
    std::ostringstream s;
    s.precision(17);
    s << x;
    return s.str();
}

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
        std::vector<std::string> args = {"sweep",
                                         "--over",
                                         "freq",
                                         "--dut-nf",
                                         "2",
                                         "--format",
                                         "csv",
                                         "--dut-s2p",
                                         path(c.s2p),
                                         "--save-setup",
                                         path("plan.orlavex.json")};
        args.insert(args.end(), c.plan.begin(), c.plan.end());
        const CliRun saved = run_cli(args);
        EXPECT_EQ(saved.status, 0) << saved.err;
        std::vector<std::string> notes;
        const app::SweepRequest request = app::read_setup_file(path("plan.orlavex.json"));
        return planning::run_sweep(app::make_sweep(request, {}, notes));
    }

    // The four readings the plan's model predicts at every point.
    std::string readings_file(const planning::SweepResult& plan) const {
        std::ofstream out(path("readings.csv"));
        out << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n";
        for (const planning::SweepPoint& p : plan.points) {
            const measure::ReadingLevels l =
                measure::reading_levels(measure::simulate_readings(p.setup, {}));
            out << number(p.freq_ghz) << ',' << number(l.cal_off_dbm) << ',' << number(l.cal_on_dbm)
                << ',' << number(l.meas_off_dbm) << ',' << number(l.meas_on_dbm) << '\n';
        }
        return path("readings.csv");
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
        const CliRun evaluated =
            run_cli({"evaluate", "--setup", path("plan.orlavex.json"), "--readings",
                     readings_file(planned), "--format", "json"});
        ASSERT_EQ(evaluated.status, 0) << evaluated.err;
        const nlohmann::json rows = evaluated.json();
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

}  // namespace
}  // namespace orlavex::cli::test
