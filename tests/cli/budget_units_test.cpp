// The units of a budget: every row of the JSON and of the text table says
// in which unit its u is (the reading jitter in nepers, the rest in dB).
#include "app/results/budget_units.h"
#include "cli_runner.h"
#include "measure/error_sources.h"

#include <gtest/gtest.h>

#include <set>

#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;
using Args = std::vector<std::string>;

// Set-ups that between them give every row a budget can have: one ENR row,
// or the calibration's and the measurement's; the jitter with readings of a
// finite bandwidth and time; the losses of the bench.
const std::vector<Args> every_row_setups = {
    {"--noise-bw", "4e6", "--tau", "1e-4", "--loss-in", "1", "--loss-in-unc", "0.1"},
    {"--noise-bw", "4e6", "--tau", "1e-4", "--meas-enr", "6", "--loss-out", "2", "--loss-out-unc",
     "0.2"},
};

std::string expected_unit(const std::string& source) {
    return source.starts_with("jitter_") ? "Np" : "dB";
}

TEST(BudgetUnits, EveryJsonRowNamesItsUnit) {
    std::vector<std::string> seen;
    for (const Args& args : every_row_setups) {
        const json j = point_json(args);
        for (const json& row : j["gum"]["budget"]) {
            const std::string source = row["source"];
            SCOPED_TRACE(source);
            ASSERT_TRUE(row.contains("unit")) << row.dump();
            EXPECT_EQ(row["unit"], expected_unit(source));
            seen.push_back(source);
        }
    }
    // The set-ups reach the ENR, jitter and loss rows.
    for (const char* source :
         {"enr", "enr_cal", "enr_meas", "jitter_meas_on", "loss_in", "loss_out"})
        EXPECT_NE(std::ranges::find(seen, source), seen.end()) << source;
}

// The table of units against the model's own sources: each one listed,
// and in nepers exactly where the model takes its values as natural logs.
TEST(BudgetUnits, TheTableKnowsEverySourceOfTheModel) {
    measure::MeasurementSetup one_source;
    one_source.model.noise_bw_hz = 4e6;
    one_source.model.tau_s = 1e-4;
    one_source.loss_in = {1, 290, 0.1};
    one_source.loss_out = {2, 290, 0.2};
    measure::MeasurementSetup two_sources = one_source;
    two_sources.meas_source = {true, 0.2, 0.1};
    measure::MeasurementSetup image_band = one_source;
    image_band.freq_converting = true;
    image_band.image.response = true;
    image_band.image.ratio_unc_db = 0.5;
    std::set<std::string_view> listed;
    for (const measure::MeasurementSetup& s : {one_source, two_sources, image_band}) {
        for (const measure::ErrorSource& source : measure::error_sources(s)) {
            SCOPED_TRACE(source.name);
            EXPECT_EQ(app::budget_unit(source.name),
                      measure::in_natural_log(source.target) ? "Np" : "dB");
            listed.insert(source.name);
        }
    }
    EXPECT_EQ(listed.size(), app::budget_source_units.size()) << "a row no set-up gives";
    EXPECT_EQ(app::budget_unit("no_such_source"), "");
}

// The budget's text rows: "  source  u  unit  c  u_i dB  share".
TEST(BudgetUnits, TheTextTableHasAUnitColumn) {
    const CliRun run = run_cli({"point", "--noise-bw", "4e6", "--tau", "1e-4", "--loss-in", "1",
                                "--loss-in-unc", "0.1", "--trials", "1000"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream lines(run.out.substr(run.out.find("GUM budget")));
    std::string line;
    std::getline(lines, line);  // the title
    std::getline(lines, line);
    std::istringstream header(line);
    std::vector<std::string> words;
    for (std::string w; header >> w;)
        words.push_back(w);
    ASSERT_GE(words.size(), 3u) << line;
    EXPECT_EQ(words[2], "unit") << line;
    int rows = 0;
    while (std::getline(lines, line) && !line.empty()) {
        std::istringstream row(line);
        std::string source, u, unit;
        row >> source >> u >> unit;
        EXPECT_EQ(unit, expected_unit(source)) << line;
        ++rows;
    }
    EXPECT_GE(rows, 12) << run.out;
}

}  // namespace
}  // namespace orlavex::cli::test
