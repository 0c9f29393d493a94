// `orlavex-cli evaluate`: the window's manual mode for the same levels, and
// the exact evaluation beside it.
#include "cli/text_table.h"
#include "cli_runner.h"
#include "driven_window.h"
#include "measure/units.h"

#include <gtest/gtest.h>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;

// The levels the window starts with, which evaluate to NFsa 11.5 dB, gain
// 15 dB and DUT noise figure 8 dB.
const std::vector<std::string> startup_levels = {"--cal-on",  "-108.896", "--cal-off",  "-114",
                                                 "--meas-on", "-94.663",  "--meas-off", "-102.223"};

json evaluate(std::vector<std::string> args) {
    args.insert(args.begin(), "evaluate");
    args.push_back("--json");
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json() : json::object();
}

std::string places(const json& x, int n) {
    return fixed(x.get<double>(), n);
}

constexpr std::string_view type_startup_levels =
    "click mnuShowManMeas\nclick chkUseManMeas\n"
    "focus txtCalON\ntype -108.896\nkey Enter\nfocus txtCalOFF\ntype -114\nkey Enter\n"
    "focus txtMeasON\ntype -94.663\nkey Enter\nfocus txtMeasOFF\ntype -102.223\nkey Enter\n";

TEST(EvaluateStartUpLevels, GiveTheDutTheWindowStartsWith) {
    const json j = evaluate(startup_levels);
    const json& c = j["classic"];
    EXPECT_EQ(places(c["nf_dut_db"], 2), "8.00");
    EXPECT_EQ(places(c["gain_db"], 2), "15.00");
    EXPECT_EQ(places(c["nf_sa_db"], 2), "11.50");
    EXPECT_TRUE(c["error"].is_null());
    EXPECT_TRUE(c["rss_db"].is_number());

    const Calculator window = driven(type_startup_levels);
    const ClassicFigures& f = window.figures;
    EXPECT_EQ(c["nf_dut_db"], *f.nf_dut_db);
    EXPECT_EQ(c["gain_db"], *f.gain_db);
    EXPECT_EQ(c["nf_sa_db"], *f.nf_sa_db);
    EXPECT_EQ(c["nf_sys_db"], f.nf_sys_db);
    EXPECT_EQ(c["ycal_db"], f.ycal_db);
    EXPECT_EQ(c["ymeas_db"], f.ymeas_db);
    EXPECT_EQ(c["rss_db"], *f.rss_db);
    EXPECT_EQ(window.form[Ctl::lblCalcNF].text, "8 dB");
    EXPECT_EQ(window.form[Ctl::lblCalcGain].text, "15 dB");

    // At 290 K the exact and the first-order formula agree.
    const json& e = j["exact"];
    EXPECT_TRUE(e["valid"].get<bool>());
    EXPECT_NEAR(e["nf_dut_db"].get<double>(), c["nf_dut_db"].get<double>(), 1e-4);
    EXPECT_NEAR(e["gain_db"].get<double>(), c["gain_db"].get<double>(), 1e-9);
}

TEST(EvaluateJson, HasEveryKeyOfTheContract) {
    const json j = evaluate(startup_levels);
    for (const char* k : {"nf_dut_db", "gain_db", "nf_sa_db", "nf_sys_db", "ycal_db", "ymeas_db",
                          "rss_db", "error"}) {
        EXPECT_TRUE(j["classic"].contains(k)) << k;
    }
    for (const char* k : {"nf_dut_db", "gain_db", "nf_sa_db", "nf_sys_db"})
        EXPECT_TRUE(j["exact"][k].is_number()) << k;
    EXPECT_EQ(j["inputs"]["levels_dbm"]["cal_on"], -108.896);
    EXPECT_FALSE(j["inputs"].contains("dut_nf_db"));
}

TEST(EvaluateExact, DiffersFromTheFirstOrderFormByTheColdTemperature) {
    // Without the calibration the system noise factors of the two formulas
    // differ by exactly Tc/T0 - 1.
    const json j = evaluate(
        {"--no-second-stage", "--toff", "46.85", "--meas-on", "-94.663", "--meas-off", "-102.223"});
    const double classic = measure::lin(j["classic"]["nf_sys_db"].get<double>());
    const double exact = measure::lin(j["exact"]["nf_sys_db"].get<double>());
    EXPECT_NEAR(classic - exact, (46.85 + 273.15) / 290 - 1, 1e-9);
    EXPECT_EQ(j["exact"]["nf_dut_db"], j["exact"]["nf_sys_db"]);
    EXPECT_EQ(j["classic"]["error"],
              "Uncertainty not available for manual measurement values when 2nd Stage "
              "Correction is off");
}

TEST(EvaluateErrors, CarryTheWindowsMessage) {
    std::vector<std::string> args = startup_levels;
    args[7] = "-90";  // measurement off above on
    const json j = evaluate(args);
    EXPECT_EQ(j["classic"]["error"], "Error: Meas OFF >= Meas ON");
    EXPECT_TRUE(j["classic"]["nf_dut_db"].is_null());
    EXPECT_TRUE(j["classic"]["rss_db"].is_null());
    EXPECT_FALSE(j["exact"]["valid"].get<bool>());
    EXPECT_TRUE(j["exact"]["nf_dut_db"].is_null());

    args = startup_levels;
    args[1] = "-90";
    args[3] = "-100";  // calibration off above measurement off
    EXPECT_EQ(evaluate(args)["classic"]["error"], "Error: Cal OFF >= Meas OFF");
}

// A plan's set-up file holds the DUT's noise figure, which evaluation keeps
// but does not use: the notes say nothing of it, and never name --dut-nf,
// an option evaluate does not take. The levels still get theirs.
TEST(EvaluateNotes, SayNothingOfThePlansDutNoiseFigure) {
    std::vector<std::string> args = {"--setup", ORLAVEX_EXAMPLES_DIR "/lna_band.orlavex.json",
                                     "--freq", "5"};
    args.insert(args.end(), startup_levels.begin(), startup_levels.end());
    args[args.size() - 1] = "-102.2234";  // a level the field holds to three places
    const json notes = evaluate(args)["notes"];
    ASSERT_TRUE(notes.is_array());
    std::string all;
    for (const json& note : notes)
        all += note.get<std::string>() + "\n";
    EXPECT_EQ(all.find("dut-nf"), std::string::npos) << all;
    EXPECT_NE(all.find("--meas-off: -102.2234 dBm is taken as -102.223 dBm"), std::string::npos)
        << all;
}

// Real readings are evaluated with the reflections as mismatch rows: the
// known reflections, chosen or typed, are refused in one line naming what
// was given, for four levels and for a band of readings alike.
TEST(EvaluateErrors, RefuseTheKnownReflectionsInsteadOfDroppingThem) {
    struct Case {
        std::vector<std::string> options;
        std::string named;
    };
    const std::vector<Case> cases = {
        {{"--reflections", "known"}, "--reflections known"},
        {{"--source-on-gamma", "0.05@30", "--source-off-gamma", "0.12@-80"}, "--source-on-gamma"},
        {{"--dut-s11", "0.5@-60"}, "--dut-s11"},
        {{"--dut-nfmin", "0.4", "--dut-gamma-opt", "0.3@40", "--dut-rn", "0.15"}, "--dut-nfmin"},
    };
    const std::vector<std::vector<std::string>> readings = {
        startup_levels, {"--readings", ORLAVEX_TEST_DATA_DIR "/band_readings.csv"}};
    for (const std::vector<std::string>& levels : readings) {
        for (const Case& c : cases) {
            std::vector<std::string> args = {"evaluate"};
            args.insert(args.end(), levels.begin(), levels.end());
            args.insert(args.end(), c.options.begin(), c.options.end());
            const CliRun r = run_cli(args);
            SCOPED_TRACE(c.named + " with " + levels.front());
            EXPECT_EQ(r.status, 2);
            EXPECT_TRUE(r.out.empty()) << r.out;
            EXPECT_TRUE(r.err.starts_with("orlavex-cli: " + c.named + ": ")) << r.err;
            EXPECT_NE(r.err.find("source-match bias"), std::string::npos) << r.err;
        }
    }
    // The default choice is no refusal.
    std::vector<std::string> random = startup_levels;
    random.insert(random.end(), {"--reflections", "random"});
    EXPECT_TRUE(evaluate(random)["exact"]["valid"].get<bool>());
}

TEST(EvaluateTable, ShowsClassicAndExactAndTheMessage) {
    std::vector<std::string> args = startup_levels;
    args.insert(args.begin(), "evaluate");
    const CliRun ok = run_cli(args);
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_NE(ok.out.find("8.00"), std::string::npos);
    EXPECT_NE(ok.out.find("15.00"), std::string::npos);
    args[8] = "-90";
    const CliRun bad = run_cli(args);
    EXPECT_EQ(bad.status, 0);
    EXPECT_NE(bad.out.find("Error: Meas OFF >= Meas ON"), std::string::npos);
}

}  // namespace
}  // namespace orlavex::cli::test
