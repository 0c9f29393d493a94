// A number the field cannot hold as given is entered as the field holds it
// and bounded as the window bounds it; the result echoes the value used and
// a note says what changed. --strict refuses instead.
#include "cli_runner.h"

#include <gtest/gtest.h>

namespace orlavex::cli::test {
namespace {

TEST(ValueProtocol, RoundsToTheFieldAndSaysSo) {
    const nlohmann::json j = point_json({"--dut-nf", "0.30000000000000004"});
    EXPECT_EQ(j["inputs"]["dut_nf_db"], 0.3);
    ASSERT_EQ(j["notes"].size(), 1u) << j.dump();
    EXPECT_EQ(j["notes"][0],
              "--dut-nf: 0.30000000000000004 dB is taken as 0.3 dB (as the field holds it)");
    // The recalculation keeps two decimals of the DUT's gain.
    EXPECT_EQ(point_json({"--dut-gain", "12.345"})["notes"][0],
              "--dut-gain: 12.345 dB is taken as 12.34 dB (as the window rounds it)");
    // Two thirds, as many digits as six characters take.
    EXPECT_EQ(point_json({"--dut-gain", "0.6666666666"})["inputs"]["dut_gain_db"], 0.67);
}

TEST(ValueProtocol, BoundsAsTheWindowDoesAndSaysSo) {
    const nlohmann::json j = point_json({"--analyzer", "Galder-3", "--freq", "30"});
    EXPECT_EQ(j["inputs"]["freq_ghz"], 13);
    ASSERT_EQ(j["notes"].size(), 1u) << j.dump();
    EXPECT_EQ(j["notes"][0], "--freq: 30 GHz is taken as 13 GHz (range 0.01 to 13 GHz)");
    const CliRun table =
        run_cli({"point", "--trials", "10", "--analyzer", "Galder-3", "--freq", "30"});
    EXPECT_NE(table.out.find("  Note: --freq: 30 GHz is taken as 13 GHz"), std::string::npos);
}

TEST(ValueProtocol, ValuesTheFieldHoldsGiveNoNotes) {
    for (const auto& [flag, value] : {std::pair{"--dut-gain", "2.5"},
                                      {"--dut-gain", "-0"},
                                      {"--dut-gain", "0,5"},
                                      {"--toff", "12.345"}}) {
        const nlohmann::json j = point_json({flag, value});
        EXPECT_FALSE(j.contains("notes")) << value << ": " << j.dump();
    }
    EXPECT_EQ(point_json({"--dut-gain", "-0"})["inputs"]["dut_gain_db"], 0.0);
}

TEST(ValueProtocol, StrictRefusesWhatItWouldNote) {
    const CliRun r = run_cli({"point", "--strict", "--dut-nf", "0.30000000000000004"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "orlavex-cli: --dut-nf: 0.30000000000000004 dB is taken as 0.3 dB (as the field "
              "holds it); refused with --strict\n");
    EXPECT_EQ(run_cli({"point", "--strict", "--trials", "10", "--dut-nf", "0.3"}).status, 0);
}

}  // namespace
}  // namespace orlavex::cli::test
