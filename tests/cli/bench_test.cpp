// The bench around the DUT on the command line: the loss rows of the
// budget, the classic figures of the equivalent set-up (checked against
// the window's own figures for the set-up an engineer would type in), and
// bad bench inputs refused before anything is computed.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using nlohmann::json;
using Args = std::vector<std::string>;

const json* budget_row(const json& point, const std::string& source) {
    for (const json& line : point["gum"]["budget"]) {
        if (line["source"] == source) return &line;
    }
    return nullptr;
}

bool has_note_with(const json& point, const std::string& words) {
    if (!point.contains("notes")) return false;
    for (const json& note : point["notes"]) {
        if (note.get<std::string>().find(words) != std::string::npos) return true;
    }
    return false;
}

TEST(BenchLossOnTheCommandLine, InputLossUncertaintyCountsAlmostOneForOne) {
    const json j = point_json({"--loss-in", "1", "--loss-in-unc", "0.1", "--dut-gain", "40"});
    const json* row = budget_row(j, "loss_in");
    ASSERT_NE(row, nullptr) << j["gum"].dump();
    EXPECT_DOUBLE_EQ((*row)["u"].get<double>(), 0.05);
    EXPECT_GT(std::abs((*row)["c"].get<double>()), 0.9);
    EXPECT_LT(std::abs((*row)["c"].get<double>()), 1.1);
    EXPECT_EQ(j["inputs"]["loss_in_db"], 1.0);
    EXPECT_EQ(j["inputs"]["loss_in_unc_db"], 0.1);
    EXPECT_EQ(j["inputs"]["loss_in_temp_k"], 290.0);
    // Without the loss the budget has no loss row and the set-up no bench keys.
    const json plain = point_json({"--dut-gain", "40"});
    EXPECT_EQ(budget_row(plain, "loss_in"), nullptr);
    EXPECT_FALSE(plain["inputs"].contains("loss_in_db"));
}

// The classic figures of the equivalent set-up with the calibration's own:
// the calibration is made with the source at the analyzer, without the bench.
json with_calibration(json equivalent, const json& calibration) {
    for (const char* key : {"ycal_db", "nf_sa_net_db"})
        equivalent[key] = calibration[key];
    for (const char* level : {"cal_on", "cal_off"})
        equivalent["levels_dbm"][level] = calibration["levels_dbm"][level];
    equivalent["guidelines"][2] = calibration["guidelines"][2];  // ENR - NFsa
    return equivalent;
}

TEST(BenchLossOnTheCommandLine, ClassicFiguresAreTheWindowsForTheEquivalentSetup) {
    const json calibration = point_json({})["classic"];
    // A loss at 290 K before the DUT lowers the ENR the DUT sees by the loss
    // and leaves the off temperature at 290 K.
    const json lossy = point_json({"--loss-in", "1"});
    const json typed = point_json({"--enr", "14"});
    EXPECT_EQ(lossy["classic"], with_calibration(typed["classic"], calibration));
    EXPECT_TRUE(has_note_with(lossy, "equivalent set-up")) << lossy.dump();
    // A loss at 290 K after the DUT adds itself to the analyzer noise figure.
    const json after = point_json({"--loss-out", "1"});
    const json analyzer = point_json({"--analyzer-nf", "12.5"});
    EXPECT_EQ(after["classic"], with_calibration(analyzer["classic"], calibration));
    // The budget is the model's, not the equivalent's: the loss row is there.
    EXPECT_NE(budget_row(after, "loss_out"), nullptr);
}

TEST(BenchLossOnTheCommandLine, NoClassicFigureWhereTheWindowCannotHoldTheBench) {
    const json j = point_json({"--loss-out", "1", "--ext-preamp"});
    EXPECT_FALSE(j["classic"]["valid"].get<bool>());
    EXPECT_TRUE(j["classic"]["rss_db"].is_null());
    EXPECT_TRUE(has_note_with(j, "no classic figures")) << j.dump();
    EXPECT_TRUE(j["gum"]["valid"].get<bool>());
}

TEST(BenchLossOnTheCommandLine, ASeparateMeasurementSourceSplitsTheEnrRows) {
    const json j = point_json({"--meas-enr", "6", "--meas-enr-unc", "0.2"});
    ASSERT_NE(budget_row(j, "enr_cal"), nullptr);
    const json* meas = budget_row(j, "enr_meas");
    ASSERT_NE(meas, nullptr);
    EXPECT_DOUBLE_EQ((*meas)["u"].get<double>(), 0.1);
    EXPECT_EQ(budget_row(j, "enr"), nullptr);
    EXPECT_EQ(j["inputs"]["meas_enr_db"], 6.0);
    // The classic figures are the window's for the measurement source's ENR,
    // but for the calibration, made with the calibration source.
    EXPECT_EQ(j["classic"],
              with_calibration(point_json({"--enr", "6"})["classic"], point_json({})["classic"]));
}

TEST(BenchLossOnTheCommandLine, TakesTheMeasurementSourceInAnyLetterCase) {
    // As --noise-source does: the name is the catalogue's from then on.
    const json lower = point_json({"--meas-noise-source", "ns346c"});
    EXPECT_EQ(lower["inputs"]["meas_noise_source"], "NS346C");
    EXPECT_EQ(lower, point_json({"--meas-noise-source", "NS346C"}));
}

// A catalogue measurement source outside its band is noted as the
// calibration source's limit is (the frequency the window took, not the
// one given), and refused with --strict.
TEST(BenchLossOnTheCommandLine, AMeasurementSourceOutsideItsBandIsNotedOrRefused) {
    const std::string above =
        "20 GHz is above the measurement noise source NS346B's limit of 18 GHz";
    const std::string below =
        "40 GHz is below the noise source WR-15's waveguide band, which starts at 50 GHz";
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"--meas-noise-source", "NS346B", "--freq", "20"}, above},
        {{"--meas-noise-source", "WR-15", "--freq", "40"}, below},
        {{"--meas-noise-source", "NS346B", "--freq", "18"}, ""},
        {{"--meas-noise-source", "WR-15", "--freq", "50"}, ""},
        // The calibration source holds the frequency at 18 GHz first.
        {{"--meas-noise-source", "NS346B", "--noise-source", "NS346A", "--freq", "20"}, ""},
        {{"--meas-enr", "6", "--freq", "20"}, ""},
    };
    for (const auto& [args, why] : cases) {
        const json j = point_json(args);
        EXPECT_EQ(has_note_with(j, "--meas-noise-source: " + why), !why.empty()) << j.dump();
        if (why.empty()) continue;
        Args strict = {"point", "--strict", "--trials", "10"};
        strict.insert(strict.end(), args.begin(), args.end());
        const CliRun r = run_cli(strict);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "orlavex-cli: --meas-noise-source: " + why + "; refused with --strict\n");
    }
}

TEST(BenchLossOnTheCommandLine, AFileBeyondItsRecordsIsHeldWithANote) {
    const std::string table = ORLAVEX_EXAMPLES_DIR "/noise_source.enr";  // 10 MHz to 18 GHz
    const json beyond = point_json({"--meas-enr-table", table, "--freq", "24"});
    EXPECT_TRUE(has_note_with(
        beyond, "measurement source ENR table: held from the nearest record, the last, at 18 GHz"))
        << beyond.dump();
    const json within = point_json({"--meas-enr-table", table, "--freq", "12"});
    EXPECT_FALSE(has_note_with(within, "held")) << within.dump();
}

TEST(BenchLossOnTheCommandLine, BadBenchInputIsOneLineAndStatusTwo) {
    const std::string data = ORLAVEX_TEST_DATA_DIR;
    const std::vector<std::pair<Args, std::string>> cases = {
        {{"point", "--loss-in", "-1"}, "a loss is 0 dB or more"},
        {{"point", "--loss-out-temp", "-3"}, "0 K or more"},
        {{"point", "--loss-in-temp", "nan"}, "0 K or more"},
        {{"point", "--loss-in-s2p", data + "/dut_input.s1p"}, "a loss is a 2-port"},
        {{"point", "--loss-out-s2p", data + "/amplifier.s2p"}, "a gain, not a loss"},
        {{"point", "--loss-in-s2p", data + "/no_such_file.s2p"}, "no_such_file.s2p"},
        {{"point", "--meas-noise-source", "NoSuchSource"}, "not in the catalogue"},
        {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--loss-in", "-1"},
         "a loss is 0 dB or more"},
    };
    for (const auto& [args, words] : cases) {
        const CliRun r = run_cli(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_EQ(r.out, "") << args.back();
        EXPECT_NE(r.err.find(words), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
