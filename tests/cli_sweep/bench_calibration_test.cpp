// The classic figures of a bench: the calibration is made with the source
// at the analyzer, so the losses around the DUT change the measurement's
// figures but not the calibration's.
#include "cli_runner.h"
#include "csv_table.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex::cli::test {
namespace {

TEST(BenchCalibration, LossesLeaveTheCalibrationFiguresAlone) {
    for (const char* over : {"loss-in", "loss-out"}) {
        const CliRun r = run_cli({"sweep", "--over", over, "--from", "0", "--to", "4", "--points",
                                  "3", "--dut-gain", "30", "--dut-nf", "0.8", "--format", "csv"});
        ASSERT_EQ(r.status, 0) << r.err;
        const CsvTable t = parse_csv(r.out);
        ASSERT_EQ(t.rows.size(), 3u) << over;
        for (std::size_t i = 1; i < t.rows.size(); ++i) {
            EXPECT_EQ(t.number(i, "ycal_db"), t.number(0, "ycal_db")) << over << " row " << i;
            EXPECT_EQ(t.number(i, "analyzer_nf_db"), t.number(0, "analyzer_nf_db")) << over;
            EXPECT_EQ(t.number(i, "margin3_db"), t.number(0, "margin3_db")) << over;
            EXPECT_EQ(t.cell(i, "lamp3"), t.cell(0, "lamp3")) << over;
        }
        // The measurement does see the loss.
        EXPECT_NE(t.number(2, "ymeas_db"), t.number(0, "ymeas_db")) << over;
    }
}

// Whether TEXT has a number between LEAD and TAIL written with at most two
// decimals (-12, 225.4, 0.25), as the notes write their numbers.
bool written_to_two_places(const std::string& text, const std::string& lead,
                           const std::string& tail) {
    const std::size_t start = text.find(lead);
    if (start == std::string::npos) return false;
    const std::size_t from = start + lead.size();
    const std::size_t end = text.find(tail, from);
    if (end == std::string::npos) return false;
    std::string number = text.substr(from, end - from);
    if (number.starts_with('-')) number.erase(0, 1);
    const std::size_t point = number.find('.');
    const std::string whole = number.substr(0, point);
    const std::string decimals = point == std::string::npos ? "" : number.substr(point + 1);
    const auto digits = [](const std::string& s) {
        return s.find_first_not_of("0123456789") == std::string::npos;
    };
    return !whole.empty() && digits(whole) && digits(decimals) && decimals.size() <= 2 &&
           (point == std::string::npos || !decimals.empty());
}

// A cold loss before the DUT puts the equivalent source at 225 K, which the
// classic figures correct for only to first order: a note says by how much
// their Ymeas leaves the readings'.
TEST(BenchCalibration, AColdLossSaysWhereTheFirstOrderClassicFiguresLeaveTheReadings) {
    struct Case {
        const char* temperature_k;
        bool noted;
    };
    for (const Case c : {Case{"20", true}, Case{"290", false}}) {
        const CliRun r = run_cli({"point", "--dut-nf", "2", "--dut-gain", "40", "--loss-in", "1.2",
                                  "--loss-in-temp", c.temperature_k});
        ASSERT_EQ(r.status, 0) << r.err;
        const bool noted = r.out.find("to first order") != std::string::npos;
        EXPECT_EQ(noted, c.noted) << c.temperature_k << " K:\n" << r.out;
        if (c.noted) {
            EXPECT_NE(r.out.find("12.07 dB where the readings give 12.70 dB"), std::string::npos)
                << r.out;
        }
        // The equivalent off temperature is written as the notes' other
        // numbers are, not to 15 digits.
        EXPECT_TRUE(written_to_two_places(r.out, "off temperature ", " C")) << r.out;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
