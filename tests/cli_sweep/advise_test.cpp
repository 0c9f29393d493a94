// orlavex-cli advise: every noise source (and "User") with every preamp
// choice, ranked as the planning library says, as JSON and a table.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

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

}  // namespace
}  // namespace orlavex::cli::test
