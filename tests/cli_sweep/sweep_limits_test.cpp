// Sweeps at the edges of what numbers and time allow: ends near the largest
// double, logarithmic spans over hundreds of decades, a Monte Carlo too
// large to finish.
#include "cli_runner.h"
#include "csv_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

std::vector<std::string> first_column(const std::vector<std::string>& args) {
    std::vector<std::string> all = {"sweep", "--over", "freq", "--format", "csv"};
    all.insert(all.end(), args.begin(), args.end());
    const CliRun r = run_cli(all);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
    std::vector<std::string> values;
    for (const std::vector<std::string>& row : parse_csv(r.out).rows)
        values.push_back(row.front());
    return values;
}

TEST(SweepValues, DoNotOverflowBetweenEndsOfOppositeSign) {
    EXPECT_EQ(first_column({"--from", "1e308", "--to", "-1e308", "--points", "3"}),
              (std::vector<std::string>{"1e+308", "0", "-1e+308"}));
    EXPECT_EQ(first_column({"--from", "-1.7e308", "--to", "1.7e308", "--points", "5"}),
              (std::vector<std::string>{"-1.7e+308", "-8.5e+307", "0", "8.5e+307", "1.7e+308"}));
}

TEST(SweepValues, TooSmallForTheFieldShowAsAsked) {
    const std::vector<std::string> values =
        first_column({"--from", "1e-300", "--to", "1e300", "--log", "--points", "5"});
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[0], "1e-300");
    EXPECT_EQ(values[1], "1e-150");
    EXPECT_EQ(values[2], "1");
}

// A value the window's field cannot hold refuses its row, whatever input is
// swept: the row still shows the frequency it stands at.
TEST(SweepValues, ARowTheFieldRefusesKeepsItsFrequency) {
    for (const char* over : {"dut-gain", "dut-nf", "enr"}) {
        const CliRun r = run_cli({"sweep", "--over", over, "--from", "1", "--to", "1e300",
                                  "--points", "2", "--freq", "5", "--format", "csv"});
        ASSERT_EQ(r.status, 0) << r.err;
        const CsvTable table = parse_csv(r.out);
        ASSERT_EQ(table.rows.size(), 2u) << r.out;
        EXPECT_NE(table.cell(1, "note").find("does not fit the window's field"), std::string::npos)
            << over << ": " << r.out;
        EXPECT_EQ(table.cell(1, "freq_ghz"), "5") << over;
    }
}

TEST(SweepWork, IsBoundedWithTheLimitStated) {
    const CliRun r = run_cli({"sweep", "--over", "freq", "--from", "1", "--to", "18", "--points",
                              "100000", "--mc", "--trials", "100000000"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "orlavex-cli: a sweep's Monte Carlo runs at most 2e+09 trials in all (--points "
              "times --trials); this one asks for 1e+13\n");
    // Just over the limit is refused too; without --mc the trials do not count.
    EXPECT_EQ(run_cli({"sweep", "--over", "freq", "--from", "1", "--to", "18", "--points", "1001",
                       "--mc", "--trials", "2000000"})
                  .status,
              2);
    EXPECT_EQ(run_cli({"sweep", "--over", "freq", "--from", "1", "--to", "18", "--points", "3",
                       "--trials", "100000000"})
                  .status,
              0);
}

}  // namespace
}  // namespace orlavex::cli::test
