// Output that cannot be written (a full disk, a closed pipe) is a failure:
// a script must not take a truncated table for a result.
#include "cli/run.h"

#include <gtest/gtest.h>

#include "child_process.h"

#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

// A stream buffer that refuses every character, as a full disk does.
class RefusingBuffer : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

struct RefusedRun {
    int status = -1;
    std::string err;
};

RefusedRun run_into_refusing_output(const std::vector<std::string>& args) {
    std::vector<const char*> argv{"orlavex-cli"};
    for (const std::string& a : args)
        argv.push_back(a.c_str());
    RefusingBuffer refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    const int status = run(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, err.str()};
}

TEST(UnwritableOutput, FailsWithOneLineForEveryCommand) {
    const std::vector<std::vector<std::string>> commands = {
        {"point", "--json", "--trials", "100"},
        {"point", "--trials", "100"},
        {"evaluate", "--cal-on", "-108.896", "--cal-off", "-114", "--meas-on", "-94.663",
         "--meas-off", "-102.223"},
        {"catalogue", "analyzers"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "2", "--points", "3", "--format", "csv"},
        {"advise", "--from", "1", "--to", "2", "--points", "2"},
        {"--help"},
        {"--version"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front() + " " + args.back());
        const RefusedRun r = run_into_refusing_output(args);
        EXPECT_EQ(r.status, exit_bad_input);
        EXPECT_EQ(r.err, std::string(unwritable_output_message) + "\n");
    }
}

TEST(UnwritableOutput, KeepsTheMessageOfBadInput) {
    const RefusedRun r = run_into_refusing_output({"point", "--dut-nf", "abc"});
    EXPECT_EQ(r.status, exit_bad_input);
    EXPECT_EQ(r.err, "orlavex-cli: --dut-nf: \"abc\" is not a number\n");
}

TEST(UnwritableOutput, FailsInTheProgramOnAFullDisk) {
    const support::ChildRun child = support::run_child(
        "/bin/sh",
        {"-c", "exec \"$0\" sweep --over freq --from 1 --to 2 --points 200 --format csv >/dev/full",
         ORLAVEX_CLI_PATH});
    ASSERT_TRUE(child.started);
    EXPECT_EQ(child.status, exit_bad_input);
    EXPECT_EQ(child.err, std::string(unwritable_output_message) + "\n");
}

}  // namespace
}  // namespace orlavex::cli::test
