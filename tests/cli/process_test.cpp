// The installed program itself: exit status and the split between standard
// output and standard error.
#include "cli_runner.h"

#include <gtest/gtest.h>

namespace orlavex::cli::test {
namespace {

TEST(CliProcess, PrintsJsonAndSucceeds) {
    const CliRun r = run_binary({"point", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const nlohmann::json j = r.json();
    EXPECT_EQ(j["monte_carlo"]["trials"], 100000);
    EXPECT_EQ(j["monte_carlo"]["invalid"], 0);
    EXPECT_EQ(j, run_cli({"point", "--json"}).json());
}

TEST(CliProcess, RefusesBadInputWithStatusTwo) {
    const CliRun r = run_binary({"point", "--analyzer", "Nonesuch"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "orlavex-cli: --analyzer: unknown model \"Nonesuch\" (see orlavex-cli catalogue "
              "analyzers)\n");
}

}  // namespace
}  // namespace orlavex::cli::test
