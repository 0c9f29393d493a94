// The readings a band plan with an ENR table predicts, evaluated as an
// engineer evaluates them (orlavex-cli evaluate --readings with the plan's
// set-up file), give the DUT's noise figure and gain back at every
// frequency, with the plan's uncertainty: the ENR, its uncertainty and the
// source's match come from the table at each reading's frequency, as the
// plan took them.
#include "app/inputs/sweep_request.h"
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

const std::string data = ORLAVEX_TEST_DATA_DIR;

// A second noise source, a 6 dB one, for the measurement.
constexpr const char* measurement_table =
    "[Filetype ENR]\n"
    "500 MHz 5.80 0.10\n"
    "3 GHz   6.30 0.12\n"
    "8 GHz   5.60 0.14\n";

struct Case {
    const char* why;
    std::vector<std::string> plan;  // the band and the options beside it
    int held;                       // points above the table's last record, 18 GHz
};

class EnrTableReadings : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("orlavex-enr-table-readings-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "six_db.enr") << measurement_table;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // The plan of C saved, swept again from its file as the planner and
    // report do; the four readings of every point its model predicts.
    planning::SweepResult plan(const Case& c) const {
        std::vector<std::string> args = {"--over",     "freq", "--dut-nf", "3",
                                         "--dut-gain", "20",   "--format", "csv"};
        args.insert(args.end(), c.plan.begin(), c.plan.end());
        return saved_plan(args, path("plan.orlavex.json"));
    }

    std::string readings_file(const planning::SweepResult& plan) const {
        return predicted_readings_file(plan, path("readings.csv"));
    }

    fs::path folder_;
};

bool has_note(const nlohmann::json& row, const std::string& words) {
    for (const nlohmann::json& note : row["notes"])
        if (note.get<std::string>().find(words) != std::string::npos) return true;
    return false;
}

TEST_F(EnrTableReadings, GiveTheDutBackAtEveryFrequency) {
    const std::string table = data + "/source.enr";
    const Case cases[] = {
        {"a table alone", {"--from", "1", "--to", "6", "--points", "6", "--enr-table", table}, 0},
        {"a loss before the DUT at 77 K",
         {"--from", "1.5", "--to", "9", "--points", "4", "--enr-table", table, "--loss-in", "2",
          "--loss-in-temp", "77"},
         0},
        {"a separate measurement source with its own table",
         {"--from", "0.7", "--to", "7", "--points", "5", "--enr-table", table, "--meas-enr-table",
          path("six_db.enr")},
         0},
        {"a converting DUT, calibrated at 0.5 GHz",
         {"--from", "2", "--to", "12", "--points", "6", "--enr-table", table, "--freq-conv",
          "--freq2", "0.5"},
         0},
        {"frequencies above the table",
         {"--from", "17", "--to", "20", "--points", "4", "--enr-table", table},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const planning::SweepResult planned = plan(c);
        const nlohmann::json rows =
            evaluated_rows(path("plan.orlavex.json"), readings_file(planned));
        ASSERT_EQ(rows.size(), planned.points.size());
        int held = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const planning::SweepPoint& p = planned.points[i];
            ASSERT_TRUE(p.in_range) << p.note;
            EXPECT_NEAR(rows[i]["dut_nf_db"].get<double>(), p.dut_nf_db, 1e-9) << p.freq_ghz;
            EXPECT_NEAR(rows[i]["dut_gain_db"].get<double>(), p.dut_gain_db, 1e-9) << p.freq_ghz;
            // Single readings without jitter: the plan's budget, the table's
            // ENR uncertainty and source match in it.
            EXPECT_NEAR(rows[i]["U_db"].get<double>(), p.gum.U_db, 1e-6 * p.gum.U_db) << p.freq_ghz;
            EXPECT_FALSE(has_note(rows[i], "ENR table (")) << rows[i]["notes"];
            held += has_note(rows[i], "ENR table: held from the nearest record, the last") ? 1 : 0;
        }
        EXPECT_EQ(held, c.held) << rows;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
