// orlavex-cli sweep with the bench around the DUT: a swept loss, a loss
// from a part's S-parameters across the band, and the loss columns after
// the existing ones.
#include "app/results/sweep_columns.h"
#include "cli_runner.h"
#include "csv_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

using Args = std::vector<std::string>;
using app::number_text;

CsvTable bench_csv(Args args) {
    args.insert(args.begin(), "sweep");
    args.insert(args.end(), {"--format", "csv"});
    const CliRun r = run_cli(args);
    EXPECT_EQ(r.status, 0) << r.err;
    return parse_csv(r.out);
}

// A loss before the DUT lowers the Y factor it is measured with, and the
// scatter of the readings weighs the more the nearer Y is to 1.
TEST(SweptBenchLoss, UncertaintyRisesWithTheLossBeforeTheDut) {
    const CsvTable t = bench_csv({"--over", "loss-in", "--from", "0", "--to", "3", "--points", "7",
                                  "--loss-in-unc", "0.1", "--noise-bw", "4e6", "--tau", "0.0001"});
    ASSERT_EQ(t.rows.size(), 7u);
    EXPECT_EQ(t.header.front(), "loss_in_db");
    EXPECT_EQ(t.header.back(), "loss_out_db");
    for (std::size_t i = 1; i < t.rows.size(); ++i) {
        EXPECT_GT(t.number(i, "U_db"), t.number(i - 1, "U_db")) << "at row " << i;
        EXPECT_NEAR(t.number(i, "loss_in_db"), 0.5 * static_cast<double>(i), 1e-12);
    }
}

TEST(SweptBenchLoss, ALossFileIsInterpolatedAtTheInputFrequency) {
    const CsvTable t = bench_csv({"--over", "freq", "--from", "1", "--to", "18", "--points", "3",
                                  "--loss-in-s2p", ORLAVEX_TEST_DATA_DIR "/cable.s2p"});
    ASSERT_EQ(t.rows.size(), 3u);
    // The existing columns keep their order; the losses follow the note.
    const auto note = std::ranges::find(t.header, "note");
    ASSERT_NE(note, t.header.end());
    EXPECT_EQ(*(note + 1), "loss_in_db");
    EXPECT_EQ(*(note + 2), "loss_out_db");
    EXPECT_NEAR(t.number(0, "loss_in_db"), 0.5, 1e-9);
    EXPECT_NEAR(t.number(1, "loss_in_db"), 1.35, 1e-9);
    EXPECT_NEAR(t.number(2, "loss_in_db"), 2.2, 1e-9);
    EXPECT_DOUBLE_EQ(t.number(1, "loss_out_db"), 0);
}

// The sweep keeps one window for the equivalent set-ups of all its points;
// each point's classic figures are still those of the point on its own.
TEST(SweptBenchLoss, ClassicFiguresAgreeWithThePoint) {
    const Args instruments = {"--analyzer", "Aravel-4", "--noise-source", "NS346C",
                              "--dut-gain", "25",       "--loss-in",      "0.7"};
    Args sweep = {"--over", "loss-out", "--from", "0", "--to", "2", "--points", "5"};
    sweep.insert(sweep.end(), instruments.begin(), instruments.end());
    const CsvTable t = bench_csv(sweep);
    ASSERT_EQ(t.rows.size(), 5u);
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        Args point = instruments;
        point.insert(point.end(), {"--loss-out", t.cell(i, "loss_out_db")});
        const nlohmann::json j = point_json(point);
        SCOPED_TRACE(t.cell(i, "loss_out_db"));
        EXPECT_EQ(t.cell(i, "rss_db"), number_text(j["classic"]["rss_db"].get<double>(), 4));
        EXPECT_EQ(t.cell(i, "ymeas_db"), number_text(j["classic"]["ymeas_db"].get<double>(), 4));
        EXPECT_EQ(t.cell(i, "U_db"), number_text(j["gum"]["U_db"].get<double>(), 4));
    }
}

TEST(SweptBenchLoss, AFileLossCannotBeSweptAsWell) {
    const CliRun r = run_cli({"sweep", "--over", "loss-in", "--from", "0", "--to", "1",
                              "--loss-in-s2p", ORLAVEX_TEST_DATA_DIR "/cable.s2p"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cannot be swept"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace orlavex::cli::test
