// Without second-stage correction there is no calibration: no figure that
// comes from calibration levels is reported, in the table or the JSON.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;

// The line of TABLE that starts (after its indent) with NAME.
std::string row(const std::string& table, const std::string& name) {
    const std::size_t at = table.find("\n  " + name);
    if (at == std::string::npos) return {};
    return table.substr(at + 1, table.find('\n', at + 1) - at - 1);
}

TEST(PointWithoutSecondStage, PredictsNoCalibrationLevels) {
    const json off = point_json({"--no-second-stage"});
    const json& levels = off["classic"]["levels_dbm"];
    EXPECT_TRUE(levels["cal_on"].is_null()) << levels;
    EXPECT_TRUE(levels["cal_off"].is_null()) << levels;
    EXPECT_TRUE(levels["meas_on"].is_number());
    EXPECT_TRUE(levels["meas_off"].is_number());
    // With the correction the same set-up predicts them.
    EXPECT_TRUE(point_json({})["classic"]["levels_dbm"]["cal_on"].is_number());

    const CliRun table = run_cli({"point", "--no-second-stage", "--trials", "100"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(row(table.out, "Cal ON").find("- - -"), std::string::npos) << table.out;
    EXPECT_NE(row(table.out, "Cal OFF").find("- - -"), std::string::npos) << table.out;
    EXPECT_EQ(row(table.out, "Meas ON").find("- - -"), std::string::npos) << table.out;
}

TEST(EvaluateWithoutSecondStage, DerivesNoGainOrAnalyzerNoiseFigure) {
    const CliRun r = run_cli({"evaluate", "--no-second-stage", "--meas-on", "-94.663", "--meas-off",
                              "-102.223", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = r.json();
    EXPECT_TRUE(j["exact"]["gain_db"].is_null()) << j["exact"];
    EXPECT_TRUE(j["exact"]["nf_sa_db"].is_null()) << j["exact"];
    EXPECT_TRUE(j["exact"]["nf_dut_db"].is_number());
    EXPECT_TRUE(j["inputs"]["levels_dbm"]["cal_on"].is_null()) << j["inputs"];
    EXPECT_TRUE(j["inputs"]["levels_dbm"]["cal_off"].is_null()) << j["inputs"];
    ASSERT_TRUE(j.contains("notes"));
    EXPECT_NE(j["notes"][0].get<std::string>().find("no calibration"), std::string::npos);

    const CliRun table = run_cli(
        {"evaluate", "--no-second-stage", "--meas-on", "-94.663", "--meas-off", "-102.223"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out.find("cal on"), std::string::npos) << table.out;
    EXPECT_EQ(row(table.out, "DUT gain").find_first_of("0123456789"), std::string::npos)
        << table.out;
    EXPECT_EQ(row(table.out, "NFsa").find_first_of("0123456789"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("no calibration"), std::string::npos) << table.out;
}

}  // namespace
}  // namespace orlavex::cli::test
