// A point with known reflections: from an ENR table's on/off reflections
// and the DUT's .s2p at its frequency, or typed, it gives the source-match
// bias the sweep gives there; bad or clashing typed values are refused in
// one line.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

const std::string data = ORLAVEX_TEST_DATA_DIR;
const std::vector<std::string> files = {"--enr-table", data + "/reflections_source.enr",
                                        "--dut-s2p", data + "/reflections_lna.s2p"};
// The files' values at 2 GHz, typed.
const std::vector<std::string> typed = {
    "--source-on-gamma", "0.05@30", "--source-off-gamma", "0.12@-80", "--dut-s11", "0.5@-60",
    "--dut-nfmin",       "0.4",     "--dut-gamma-opt",    "0.3@40",   "--dut-rn",  "0.15"};

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

nlohmann::json known_point(const std::vector<std::string>& given) {
    return point_json(joined({"--freq", "2", "--dut-gain", "20", "--reflections", "known"}, given));
}

double sweep_bias_at_2ghz(const std::vector<std::string>& given) {
    const CliRun sweep = run_cli(joined({"sweep", "--over", "freq", "--from", "1.5", "--to", "2",
                                         "--points", "2", "--reflections", "known", "--json"},
                                        given));
    EXPECT_EQ(sweep.status, 0) << sweep.err;
    const nlohmann::json points = sweep.json()["points"];
    EXPECT_EQ(points.back()["freq_ghz"].get<double>(), 2);
    return points.back()["source_match_bias_db"].get<double>();
}

TEST(KnownReflectionsPoint, FilesOrTypedValuesGiveTheSweepsBias) {
    const double from_sweep = sweep_bias_at_2ghz(files);
    const nlohmann::json from_files = known_point(files);
    const nlohmann::json from_typed = known_point(typed);
    // The model's LNA of the measurement model's example: about 0.58 dB low.
    EXPECT_NEAR(from_sweep, -0.58, 0.01);
    EXPECT_NEAR(from_files["source_match_bias_db"].get<double>(), from_sweep, 1e-9);
    EXPECT_NEAR(from_typed["source_match_bias_db"].get<double>(), from_sweep, 1e-9);
    // A sweep takes the typed values at every point where no file gives them.
    EXPECT_NEAR(sweep_bias_at_2ghz(joined(typed, {"--dut-gain", "20"})), from_sweep, 1e-9);
    // The typed values come back as [magnitude, degrees].
    const nlohmann::json& in = from_typed["inputs"];
    EXPECT_NEAR(in["dut_s11"][0].get<double>(), 0.5, 1e-12);
    EXPECT_NEAR(in["dut_s11"][1].get<double>(), -60, 1e-9);
    EXPECT_EQ(in["dut_rn"].get<double>(), 0.15);
    // Without known reflections there is no bias, and no key.
    EXPECT_FALSE(point_json({"--freq", "2"}).contains("source_match_bias_db"));

    const CliRun text =
        run_cli(joined({"point", "--freq", "2", "--no-mc", "--reflections", "known"}, files));
    ASSERT_EQ(text.status, 0) << text.err;
    const double U = from_files["gum"]["U_db"].get<double>();
    char expected[64];
    std::snprintf(expected, sizeof expected, "U + |bias| = %.4f dB",
                  U + std::fabs(from_files["source_match_bias_db"].get<double>()));
    EXPECT_NE(text.out.find(expected), std::string::npos) << text.out;
    const CliRun typed_text =
        run_cli(joined({"point", "--no-mc", "--reflections", "known"}, typed));
    EXPECT_NE(typed_text.out.find("Typed reflections: Source reflection, on 0.05@30, Source "
                                  "reflection, off 0.12@-80, DUT S11 0.5@-60, DUT NFmin 0.4 dB, "
                                  "DUT Gamma_opt 0.3@40, DUT rn 0.15\n"),
              std::string::npos)
        << typed_text.out;
}

TEST(KnownReflectionsPoint, PadsAndAnIsolatorAreRankedAsPointsWithThemGiveThem) {
    // Readings with jitter: a pad's lower ENR costs U.
    const std::vector<std::string> jitter = {"--noise-bw", "4e6", "--tau", "0.001", "--no-mc"};
    const nlohmann::json bare = known_point(joined(typed, jitter));
    ASSERT_TRUE(bare.contains("match_advice")) << bare.dump();
    const nlohmann::json& advice = bare["match_advice"];
    const double bias = bare["source_match_bias_db"].get<double>();
    EXPECT_EQ(advice["bias_db"].get<double>(), bias);
    ASSERT_EQ(advice["cures"].size(), 4u);
    double last_total = 0;
    std::vector<std::pair<double, const nlohmann::json*>> pads;
    for (const nlohmann::json& cure : advice["cures"]) {
        SCOPED_TRACE(cure["cure"].get<std::string>());
        EXPECT_LT(std::fabs(cure["bias_db"].get<double>()), std::fabs(bias) * 0.6);
        EXPECT_GE(cure["total_db"].get<double>(), last_total);
        last_total = cure["total_db"].get<double>();
        const double loss = cure["loss_db"].get<double>();
        if (cure["isolation_db"].get<double>() != loss) continue;
        pads.emplace_back(loss, &cure);
        // The same pad typed as the loss before the DUT.
        const nlohmann::json padded =
            known_point(joined(joined(typed, jitter), {"--loss-in", std::to_string(loss)}));
        EXPECT_NEAR(padded["source_match_bias_db"].get<double>(), cure["bias_db"].get<double>(),
                    1e-9);
        EXPECT_NEAR(padded["gum"]["U_db"].get<double>(), cure["U_db"].get<double>(), 1e-9);
        EXPECT_NEAR(cure["added_U_db"].get<double>(),
                    cure["U_db"].get<double>() - bare["gum"]["U_db"].get<double>(), 1e-12);
    }
    // A larger pad: a smaller bias, a larger U.
    ASSERT_EQ(pads.size(), 3u);
    std::ranges::sort(pads, {}, &std::pair<double, const nlohmann::json*>::first);
    for (std::size_t i = 1; i < pads.size(); ++i) {
        const nlohmann::json &smaller = *pads[i - 1].second, &larger = *pads[i].second;
        EXPECT_LT(std::fabs(larger["bias_db"].get<double>()),
                  std::fabs(smaller["bias_db"].get<double>()));
        EXPECT_GT(larger["added_U_db"].get<double>(), smaller["added_U_db"].get<double>());
    }
    EXPECT_GT(pads.front().second->at("added_U_db").get<double>(), 0);
    // A source matched well enough leaves a bias below a third of U: no advice.
    std::vector<std::string> matched = typed;
    matched[1] = matched[3] = "0.001@0";
    const nlohmann::json quiet = known_point(joined(matched, jitter));
    EXPECT_TRUE(quiet.contains("source_match_bias_db"));
    EXPECT_FALSE(quiet.contains("match_advice"));
}

TEST(KnownReflectionsPoint, TypedValuesAreSavedAndReopened) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("orlavex-typed-reflections-" + std::to_string(::getpid()) + ".json"))
                                 .string();
    const nlohmann::json first = known_point(joined(typed, {"--save-setup", file}));
    const nlohmann::json reopened = point_json({"--setup", file});
    std::filesystem::remove(file);
    for (const char* key : {"source_on_gamma", "source_off_gamma", "dut_s11", "dut_nfmin_db",
                            "dut_gamma_opt", "dut_rn", "source_match_bias_db"}) {
        const nlohmann::json& a =
            std::string(key) == "source_match_bias_db" ? first : first["inputs"];
        const nlohmann::json& b =
            std::string(key) == "source_match_bias_db" ? reopened : reopened["inputs"];
        EXPECT_EQ(a.at(key), b.at(key)) << key;
    }
}

TEST(KnownReflectionsPoint, BadOrClashingValuesAreRefusedInOneLine) {
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const std::vector<std::string> on_off = {"--source-on-gamma", "0.05@30", "--source-off-gamma",
                                             "0.12@-80"};
    const std::vector<std::string> noise_but_rn = {"--dut-nfmin", "0.4", "--dut-gamma-opt",
                                                   "0.3@40"};
    const Case cases[] = {
        {{"--dut-s11", "1@0"}, "MAG@DEG, a magnitude from 0 to below 1"},
        {{"--dut-s11", "-0.1@0"}, "MAG@DEG"},
        {{"--dut-s11", "nan@0"}, "MAG@DEG"},
        {{"--dut-s11", "0.5@inf"}, "MAG@DEG"},
        {{"--dut-s11", "0.5"}, "MAG@DEG"},
        {{"--dut-s11", "0.5@-60x"}, "MAG@DEG"},
        {joined(noise_but_rn, {"--dut-rn", "-0.1"}), "--dut-rn: -0.1 is out of range"},
        {{"--dut-nfmin", "-0.2", "--dut-gamma-opt", "0.3@40", "--dut-rn", "0.1"},
         "--dut-nfmin: -0.2 is out of range"},
        {{"--dut-nfmin", "nan", "--dut-gamma-opt", "0.3@40", "--dut-rn", "0.1"}, "finite"},
        {noise_but_rn, "--dut-nfmin, --dut-gamma-opt and --dut-rn go together"},
        {{"--source-on-gamma", "0.05@30"}, "--source-on-gamma and --source-off-gamma go together"},
        {joined(on_off, files), "--source-on-gamma: the file reflections_source.enr gives"},
        {joined({"--dut-s11", "0.5@-60"}, files), "--dut-s11: the file reflections_lna.s2p gives"},
        {joined({"--dut-nfmin", "0.4", "--dut-gamma-opt", "0.3@40", "--dut-rn", "0.15"}, files),
         "--dut-nfmin: the file reflections_lna.s2p gives the DUT's noise parameters"},
    };
    for (const Case& c : cases) {
        const CliRun r = run_cli(joined({"point", "--no-mc", "--reflections", "known"}, c.args));
        SCOPED_TRACE(c.says);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
