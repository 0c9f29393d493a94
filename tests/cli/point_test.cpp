// `orlavex-cli point`: the window's figures for the same inputs, exactly,
// and the model's budget and Monte Carlo of the set-up the window implies.
#include "cli/text_table.h"
#include "cli_runner.h"
#include "driven_window.h"
#include "engine/measurement_setup.h"
#include "measure/gum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;
using enum Ctl;

std::string places(const json& x, int n) {
    return fixed(x.get<double>(), n);
}

// The window's text of LABEL shows X at two decimals.
void expect_shown(const Calculator& window, Ctl label, const json& x) {
    const std::string& text = window.form[label].text;
    EXPECT_NE(text.find(places(x, 2)), std::string::npos) << text << " vs " << x;
}

TEST(PointAtStartUp, GivesTheFiguresTheWindowShows) {
    const json j = point_json({});
    const json& c = j["classic"];
    EXPECT_EQ(places(c["rss_db"], 4), "0.1134");
    EXPECT_EQ(places(c["bias_db"], 4), "0.2767");
    EXPECT_EQ(places(c["ycal_db"], 2), "5.10");
    EXPECT_EQ(places(c["ymeas_db"], 2), "7.56");
    EXPECT_EQ(places(c["nf_sys_db"], 2), "8.28");
    EXPECT_EQ(places(c["nf_sa_net_db"], 2), "11.50");
    for (const json& g : c["guidelines"])
        EXPECT_EQ(g["lamp"], "green");
    EXPECT_TRUE(c["valid"].get<bool>());

    const Calculator window = driven("");
    expect_figures_of(window, c);
    expect_shown(window, lblYcal, c["ycal_db"]);
    expect_shown(window, lblYmeas, c["ymeas_db"]);
    expect_shown(window, lblNFdutsa, c["nf_sys_db"]);
    expect_shown(window, lblNF_unc, c["rss_db"]);
    expect_shown(window, lblENR_corr, c["enr_eff_db"]);
}

TEST(PointAtStartUp, EchoesTheStartUpInputs) {
    const json in = point_json({})["inputs"];
    EXPECT_EQ(in["dut_nf_db"], 8.0);
    EXPECT_EQ(in["dut_gain_db"], 15.0);
    EXPECT_EQ(in["dut_in_match"]["vswr"], 1.0);
    EXPECT_EQ(in["source_match"]["vswr"], 1.15);
    EXPECT_EQ(in["analyzer_noise"]["nf_db"], 11.5);
    EXPECT_EQ(in["analyzer"], "User");
    EXPECT_EQ(in["noise_source"], "User");
    EXPECT_EQ(in["toff_c"], 16.85);
    EXPECT_TRUE(in["ext_preamp"].is_null());
    EXPECT_TRUE(in["second_stage"].get<bool>());
}

TEST(PointJson, HasEveryKeyOfTheContract) {
    const json j = point_json({});
    for (const char* k : {"inputs", "classic", "gum", "monte_carlo"})
        EXPECT_TRUE(j.contains(k)) << k;
    const json& c = j["classic"];
    for (const char* k : {"enr_eff_db", "ycal_db", "ymeas_db", "nf_sys_db", "nf_sa_net_db",
                          "levels_dbm", "guidelines", "rss_db", "bias_db", "valid"}) {
        EXPECT_TRUE(c.contains(k)) << k;
    }
    for (const char* k : {"cal_on", "cal_off", "meas_on", "meas_off"})
        EXPECT_TRUE(c["levels_dbm"][k].is_number()) << k;
    ASSERT_EQ(c["guidelines"].size(), 3u);
    for (const json& g : c["guidelines"]) {
        EXPECT_TRUE(g["margin_db"].is_number());
        EXPECT_TRUE(g["lamp"].is_string());
    }
    const json& gum = j["gum"];
    for (const char* k : {"u_db", "k", "U_db"})
        EXPECT_TRUE(gum[k].is_number()) << k;
    ASSERT_FALSE(gum["budget"].empty());
    for (const json& line : gum["budget"]) {
        EXPECT_TRUE(line["source"].is_string());
        for (const char* k : {"u", "c", "u_i_db", "share"})
            EXPECT_TRUE(line[k].is_number()) << k;
    }
    const json& mc = j["monte_carlo"];
    for (const char* k : {"trials", "seed", "mean_db", "std_db", "invalid"})
        EXPECT_TRUE(mc[k].is_number()) << k;
    for (const char* k : {"interval_db", "shortest_db"}) {
        ASSERT_EQ(mc[k].size(), 2u) << k;
        EXPECT_LE(mc[k][0].get<double>(), mc[k][1].get<double>()) << k;
    }
}

// Catalogue models, picked from the menus in the window and by name on the
// command line, give the same window.
TEST(PointWithCatalogueModels, MatchesTheWindowAfterTheSameMenuClicks) {
    const json j = point_json({"--analyzer", "Galder-3", "--int-preamp", "1", "--noise-source",
                               "NC346B (Type N)", "--freq", "5"});
    const Calculator window = driven(
        "click mnuNS_Noisecom 2\nclick mnuGalder 2\nclick chkIntPA\nclick mnuIntPA 1\n"
        "focus txtFreq\ntype 5\nkey Enter\n");
    expect_figures_of(window, j["classic"]);
    expect_shown(window, lblYcal, j["classic"]["ycal_db"]);
    EXPECT_EQ(j["inputs"]["analyzer"], "Galder-3");
    EXPECT_EQ(j["inputs"]["noise_source"], "NC346B (Type N)");
    EXPECT_EQ(j["inputs"]["analyzer_noise"]["danl_dbm_hz"], window.state.SA_Noise);
    EXPECT_EQ(j["inputs"]["source_match"]["vswr"], window.state.NS_Match);
    EXPECT_EQ(j["inputs"]["enr_db"], window.state.ENR);
    EXPECT_TRUE(j["inputs"]["int_preamp"].get<bool>());
    EXPECT_EQ(j["inputs"]["int_preamp_option"], 1);
    // The model runs on the set-up the window implies.
    const measure::Budget budget = measure::gum_budget(measurement_setup(window));
    EXPECT_EQ(j["gum"]["u_db"], budget.u_c_db);
}

TEST(PointWithCatalogueModels, TakesNamesInAnyLetterCase) {
    const json lower = point_json({"--analyzer", "galder-3", "--noise-source", "ns346b"});
    EXPECT_EQ(lower["inputs"]["analyzer"], "Galder-3");
    EXPECT_EQ(lower["inputs"]["noise_source"], "NS346B");
    const json user = point_json({"--analyzer", "user", "--noise-source", "User Defined"});
    EXPECT_EQ(user["classic"], point_json({})["classic"]);
}

TEST(PointWithFormats, MatchesTheWindowAfterTheSameClicksAndKeys) {
    const json j = point_json({"--dut-in-rl", "15", "--dut-out-rl", "12", "--source-rl", "20",
                               "--analyzer-danl", "-150", "--analyzer-rl", "18", "--toff", "-5,5",
                               "--enr-unc", "0.2", "--no-second-stage"});
    const Calculator window = driven(
        "click mnu2ndStage\n"
        "click optDUTIn_RL\nfocus txtDUT_InMatch\ntype 15\nkey Enter\n"
        "click optDUTOut_RL\nfocus txtDUT_OutMatch\ntype 12\nkey Enter\n"
        "click optNS_Match_RL\nfocus txtNS_Match\ntype 20\nkey Enter\n"
        "click optSA_Noise_DANL\nfocus txtSA_Noise\ntype -150\nkey Enter\n"
        "click optSA_InMatch_RL\nfocus txtSA_InMatch\ntype 18\nkey Enter\n"
        "focus txtToff\ntype -5,5\nkey Enter\n"
        "focus txtENR_Unc\ntype 0.2\nkey Enter\n");
    expect_figures_of(window, j["classic"]);
    expect_shown(window, lbl2ndStageBias, j["classic"]["bias_db"]);
    EXPECT_EQ(j["inputs"]["dut_in_match"]["rl_db"], 15.0);
    EXPECT_EQ(j["inputs"]["analyzer_noise"]["danl_dbm_hz"], -150.0);
    EXPECT_EQ(j["inputs"]["toff_c"], -5.5);
    EXPECT_FALSE(j["inputs"]["second_stage"].get<bool>());
}

TEST(PointWithPreamplifiers, MatchesTheWindowWithAnExternalPreamp) {
    const json j = point_json({"--analyzer-vswr", "1.2", "--ext-preamp-gain", "25",
                               "--ext-preamp-nf", "3.5", "--ext-preamp-vswr", "1.8"});
    const Calculator window = driven(
        "focus txtSA_InMatch\ntype 1.2\nkey Enter\nclick chkExtPA\n"
        "focus txtExtPA_Gain\ntype 25\nkey Enter\nfocus txtExtPA_NF\ntype 3.5\nkey Enter\n"
        "focus txtSA_InMatch\ntype 1.8\nkey Enter\n");
    expect_figures_of(window, j["classic"]);
    const json& pa = j["inputs"]["ext_preamp"];
    EXPECT_EQ(pa["gain_db"], 25.0);
    EXPECT_EQ(pa["nf_db"], 3.5);
    EXPECT_EQ(pa["match"]["vswr"], 1.8);
    EXPECT_EQ(j["inputs"]["analyzer_match"]["vswr"], 1.2);
    // The preamplifier's own default values come with the bare flag.
    const json bare = point_json({"--ext-preamp"});
    EXPECT_EQ(bare["inputs"]["ext_preamp"]["gain_db"], 20.0);
    expect_figures_of(driven("click chkExtPA\n"), bare["classic"]);
}

TEST(PointWithFrequencyConversion, MatchesTheWindowAndSplitsTheEnrLine) {
    const json j = point_json({"--freq-conv", "--freq", "3", "--freq2", "10", "--analyzer",
                               "Corvex-4", "--noise-source", "NS346C"});
    const Calculator window = driven(
        "click chkFreqConv\nclick mnuNS_Mercury 3\nclick mnuCorvex 3\n"
        "focus txtFreq\ntype 3\nkey Enter\nfocus txtFreq2\ntype 10\nkey Enter\n");
    expect_figures_of(window, j["classic"]);
    EXPECT_EQ(j["inputs"]["freq2_ghz"], 10.0);
    std::vector<std::string> sources;
    for (const json& line : j["gum"]["budget"])
        sources.push_back(line["source"]);
    EXPECT_NE(std::ranges::find(sources, "enr_cal"), sources.end());
    EXPECT_NE(std::ranges::find(sources, "enr_meas"), sources.end());
    EXPECT_EQ(std::ranges::find(sources, "enr"), sources.end());
}

TEST(PointBounding, TakesTheValueTheWindowBoundsTo) {
    // The window bounds a DUT noise figure to 100 dB and a frequency to
    // the chosen analyzer's range.
    const json j = point_json({"--dut-nf", "150", "--analyzer", "Aravel-1", "--freq", "20"});
    EXPECT_EQ(j["inputs"]["dut_nf_db"], 100.0);
    EXPECT_EQ(j["inputs"]["freq_ghz"], 8.0);
    expect_figures_of(driven("click mnuAravel 0\nfocus txtDUT_NF\ntype 150\nkey Enter\n"
                             "focus txtFreq\ntype 20\nkey Enter\n"),
                      j["classic"]);
}

TEST(PointLamps, TurnYellowAndRedAsTheWindowsDo) {
    const json j = point_json({"--enr", "12"});
    const json& g = j["classic"]["guidelines"];
    EXPECT_EQ(g[0]["lamp"], "green");
    EXPECT_EQ(g[1]["lamp"], "yellow");  // ENR - NFdut = 4 dB
    EXPECT_EQ(g[2]["lamp"], "red");     // ENR - NFsa = 0.5 dB
    EXPECT_EQ(places(g[1]["margin_db"], 2), "4.00");
    expect_figures_of(driven("focus txtENR\ntype 12\nkey Enter\n"), j["classic"]);
}

TEST(PointInvalidSetUp, ShowsNoFiguresAndGreyLamps) {
    // A DUT whose noise figure is below its loss.
    const json j = point_json({"--dut-nf", "2", "--dut-gain", "-5"});
    const json& c = j["classic"];
    EXPECT_FALSE(c["valid"].get<bool>());
    EXPECT_TRUE(c["rss_db"].is_null());
    EXPECT_TRUE(c["ycal_db"].is_null());
    for (const json& g : c["guidelines"]) {
        EXPECT_EQ(g["lamp"], "grey");
        EXPECT_TRUE(g["margin_db"].is_null());
    }
    // Nor does the model simulate a DUT that cannot exist.
    EXPECT_FALSE(j["gum"]["valid"].get<bool>());
    EXPECT_TRUE(j["gum"]["U_db"].is_null());
    EXPECT_EQ(j["monte_carlo"]["invalid"], j["monte_carlo"]["trials"]);
    EXPECT_TRUE(j["monte_carlo"]["std_db"].is_null());
    expect_figures_of(driven("focus txtDUT_NF\ntype 2\nkey Enter\nfocus txtDUT_Gain\ntype -5\n"
                             "key Enter\n"),
                      c);
}

TEST(PointMonteCarlo, FollowsTrialsAndSeed) {
    const json a = point_json({"--trials", "3000", "--seed", "7"})["monte_carlo"];
    const json b = point_json({"--trials", "3000", "--seed", "7"})["monte_carlo"];
    const json c = point_json({"--trials", "3000", "--seed", "8"})["monte_carlo"];
    EXPECT_EQ(a["trials"], 3000);
    EXPECT_EQ(a["seed"], 7);
    EXPECT_EQ(a, b);
    EXPECT_NE(a["mean_db"], c["mean_db"]);
}

TEST(PointModelOptions, JitterAndShapeReachTheBudget) {
    const json plain = point_json({});
    const json jitter = point_json({"--noise-bw", "4e6", "--tau", "1e-3"});
    EXPECT_GT(jitter["gum"]["u_db"].get<double>(), plain["gum"]["u_db"].get<double>());
    EXPECT_EQ(jitter["inputs"]["noise_bw_hz"], 4e6);
    // Jitter leaves the window's figures alone.
    EXPECT_EQ(jitter["classic"], plain["classic"]);
    const json rect = point_json({"--spec-shape", "rect"});
    EXPECT_EQ(rect["inputs"]["spec_shape"], "rect");
    EXPECT_NE(rect["gum"]["u_db"], plain["gum"]["u_db"]);
}

TEST(PointTable, ShowsTheFiguresOfTheJson) {
    const CliRun r = run_cli({"point", "--trials", "2000"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json j = point_json({});
    EXPECT_NE(r.out.find("+/- " + places(j["classic"]["rss_db"], 4)), std::string::npos);
    EXPECT_NE(r.out.find(places(j["classic"]["ycal_db"], 2)), std::string::npos);
    EXPECT_NE(r.out.find("U = " + places(j["gum"]["U_db"], 4)), std::string::npos);
    EXPECT_NE(r.out.find("2000 trials"), std::string::npos);
    // Budget rows from the largest contribution down, one per source.
    std::istringstream in(r.out);
    std::string line;
    while (std::getline(in, line) && !line.starts_with("  source")) {
    }
    std::vector<double> contributions;
    while (std::getline(in, line) && !line.empty()) {
        std::istringstream row(line);
        std::string source;
        double u = 0, c = 0, u_i = 0;
        row >> source >> u >> c >> u_i;
        contributions.push_back(u_i);
    }
    EXPECT_EQ(contributions.size(), j["gum"]["budget"].size());
    EXPECT_TRUE(std::ranges::is_sorted(contributions, std::ranges::greater{}));
}

}  // namespace
}  // namespace orlavex::cli::test
