// orlavex-cli advise: every noise source (and "User") with every preamp
// choice, ranked as the planning library says, as JSON and a table.
#include "app/results/sweep_columns.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

constexpr std::size_t catalogue_noise_sources = 22;

TEST(Advise, RanksEverySourceAndPreampChoiceOverTheBand) {
    const CliRun r = run_cli({"advise", "--json", "--analyzer", "Aravel-3", "--dut-nf", "3",
                              "--from", "1", "--to", "18", "--points", "5"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json ranking = r.json()["ranking"];
    // Aravel-3 has one internal preamplifier: off and on for each source.
    ASSERT_EQ(ranking.size(), 2 * (catalogue_noise_sources + 1));
    std::set<std::string> labels;
    bool user_seen = false;
    for (std::size_t i = 0; i < ranking.size(); ++i) {
        const nlohmann::json& e = ranking[i];
        EXPECT_EQ(e["rank"], i + 1);
        EXPECT_EQ(e["points"], 5);
        EXPECT_FALSE(e["reason"].get<std::string>().empty());
        labels.insert(e["label"].get<std::string>());
        user_seen = user_seen || e["noise_source"] == "User";
    }
    EXPECT_EQ(labels.size(), ranking.size()) << "each set-up once";
    EXPECT_TRUE(user_seen);

    // Set-ups that evaluate every point come first, the smaller worst U
    // (to 0.01 dB) first among them.
    std::size_t full = 0;
    while (full < ranking.size() && ranking[full]["evaluated"] == 5)
        ++full;
    ASSERT_GT(full, 1u);
    for (std::size_t i = full; i < ranking.size(); ++i)
        EXPECT_LT(ranking[i]["evaluated"].get<int>(), 5) << ranking[i]["label"];
    for (std::size_t i = 1; i < full; ++i)
        EXPECT_LE(std::round(ranking[i - 1]["worst_U_db"].get<double>() * 100),
                  std::round(ranking[i]["worst_U_db"].get<double>() * 100))
            << ranking[i]["label"];
    // With a 25 dB analyzer noise figure, the best plan uses the preamp.
    EXPECT_TRUE(ranking[0]["int_preamp"].get<bool>()) << ranking[0]["label"];
}

TEST(Advise, PrintsARankedTableByDefault) {
    const CliRun r =
        run_cli({"advise", "--analyzer", "Aravel-7", "--from", "1", "--to", "18", "--points", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // No preamp in this model: one row per source and "User", and a header.
    EXPECT_EQ(std::ranges::count(r.out, '\n'),
              static_cast<std::ptrdiff_t>(catalogue_noise_sources + 2));
    const std::string header = r.out.substr(0, r.out.find('\n'));
    for (const char* column : {"set-up", "worst U (dB)", "all green", "why this place"})
        EXPECT_NE(header.find(column), std::string::npos) << column;
}

// A DSB mixer, 10 to 12 GHz converted to 1 GHz with the LO below, its
// image ratio 0 dB (the application note's mixer).
std::vector<std::string> mixer(std::vector<std::string> more) {
    std::vector<std::string> args = {"--freq2",
                                     "1",
                                     "--freq-conv",
                                     "--noise-source",
                                     "NS346B",
                                     "--analyzer-nf",
                                     "12",
                                     "--dut-in-vswr",
                                     "1.5",
                                     "--dut-out-vswr",
                                     "1.5",
                                     "--noise-bw",
                                     "4e6",
                                     "--tau",
                                     "0.01",
                                     "--image-ratio",
                                     "0"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The U `point` gives at FREQ for a DUT of NF_DB and GAIN_DB as SIDEBAND
// figures.
double point_u(const std::string& freq, const std::string& sideband, double nf_db, double gain_db,
               const std::string& unc) {
    std::vector<std::string> args = {"point", "--json", "--no-mc", "--freq", freq};
    const std::vector<std::string> more =
        mixer({"--sideband", sideband, "--dut-nf", app::number_text(nf_db, -1), "--dut-gain",
               app::number_text(gain_db, -1), "--image-ratio-unc", unc});
    args.insert(args.end(), more.begin(), more.end());
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return r.status == 0 ? r.json()["gum"]["U_db"].get<double>() : -1;
}

TEST(Advise, RanksTheSidebandModesAsPointFiguresThem) {
    struct Case {
        std::string sideband;
        double nf_db, gain_db;  // the same mixer in either mode
        std::string unc;        // of the image ratio
        bool filter;            // the image ratio above a third of the SSB budget
    };
    const Case cases[] = {
        {"dsb", 8, 10, "1", true},
        {"ssb", 11.01, 6.99, "1", true},
        {"dsb", 8, 10, "0.2", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sideband + ", ratio known to " + c.unc + " dB");
        std::vector<std::string> args = {"advise", "--json",   "--from", "10",        "--to",
                                         "12",     "--points", "3",      "--fixed-if"};
        const std::vector<std::string> more =
            mixer({"--sideband", c.sideband, "--dut-nf", app::number_text(c.nf_db, -1),
                   "--dut-gain", app::number_text(c.gain_db, -1), "--image-ratio-unc", c.unc});
        args.insert(args.end(), more.begin(), more.end());
        const CliRun r = run_cli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json sidebands = r.json().at("sidebands");
        ASSERT_EQ(sidebands["modes"].size(), 2u);
        double previous = 0;
        for (const nlohmann::json& m : sidebands["modes"]) {
            const std::string mode = m["mode"];
            SCOPED_TRACE(mode);
            EXPECT_EQ(m["evaluated"], 3);
            const double u = m["worst_U_db"];
            EXPECT_GE(u, previous) << "the better first";
            previous = u;
            // The mode asked for is the sweep's own; the other is the same
            // mixer's figures converted, which the window's fields hold to
            // 0.01 dB (a U within a few 1e-5 dB).
            const bool own = mode == c.sideband;
            const double tolerance = own ? 1e-9 : 1e-3;
            if (own) {
                EXPECT_NEAR(m["dut_nf_db"].get<double>(), c.nf_db, 1e-9);
            }
            const std::string at = app::number_text(m["worst_at"].get<double>(), -1);
            EXPECT_NEAR(u, point_u(at, mode, m["dut_nf_db"], m["dut_gain_db"], c.unc), tolerance);
            EXPECT_NE(sidebands["summary"].get<std::string>().find(m["label"].get<std::string>()),
                      std::string::npos);
        }
        EXPECT_EQ(sidebands["modes"][0]["mode"], "dsb") << "DSB needs no image ratio";
        // One mixer: F_SSB = (1 + r) F_DSB and G_DSB = (1 + r) G_SSB, r = 1.
        const nlohmann::json& dsb = sidebands["modes"][0];
        const nlohmann::json& ssb = sidebands["modes"][1];
        const double step_db = 10 * std::log10(2.0);
        EXPECT_NEAR(ssb["dut_nf_db"].get<double>() - dsb["dut_nf_db"].get<double>(), step_db, 1e-9);
        EXPECT_NEAR(dsb["dut_gain_db"].get<double>() - ssb["dut_gain_db"].get<double>(), step_db,
                    1e-9);
        EXPECT_EQ(sidebands["image_filter"].is_string(), c.filter) << sidebands["image_filter"];
    }
}

TEST(Advise, ComparesNoSidebandsWithoutAnImageRatio) {
    const CliRun r = run_cli({"advise", "--json", "--from", "10", "--to", "12", "--points", "2",
                              "--freq2", "1", "--freq-conv", "--fixed-if", "--sideband", "dsb"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(r.json().contains("sidebands"));
}

}  // namespace
}  // namespace orlavex::cli::test
