// orlavex-cli under the limits of a small machine: memory that runs out
// ends a run with one line and status 2, never with a signal, and threads
// the system will not give only make a run use fewer of them.
#include "cli/run.h"

#include <gtest/gtest.h>

#include "child_process.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

namespace fs = std::filesystem;

// The sanitizer reserves terabytes of address space at start-up: no
// address-space limit lets such a build run at all.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool address_sanitizer = true;
#else
constexpr bool address_sanitizer = false;
#endif

// ARGS run by the real binary under prlimit's LIMITS.
support::ChildRun run_limited(std::vector<std::string> limits,
                              const std::vector<std::string>& args) {
    limits.push_back(ORLAVEX_CLI_PATH);
    limits.insert(limits.end(), args.begin(), args.end());
    return support::run_child("/usr/bin/prlimit", limits);
}

TEST(ResourceLimits, MemoryThatRunsOutEndsARunWithOneLine) {
    if (address_sanitizer)
        GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
    const fs::path report =
        fs::temp_directory_path() / ("orlavex-limits-" + std::to_string(::getpid()) + ".html");
    const std::vector<std::string> wide = {"--over", "freq", "--from",   "1",
                                           "--to",   "18",   "--points", "100000"};
    std::vector<std::vector<std::string>> commands = {{"point", "--trials", "100000000"},
                                                      {"sweep", "--format", "json"},
                                                      {"report", "-o", report.string()}};
    for (std::size_t i = 1; i < commands.size(); ++i)
        commands[i].insert(commands[i].begin() + 1, wide.begin(), wide.end());
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args.front());
        const support::ChildRun r = run_limited({"--as=300000000"}, args);
        ASSERT_TRUE(r.started);
        ASSERT_NE(r.status, -1) << "ended by a signal: " << r.err;
        if (r.status == 0) continue;
        EXPECT_EQ(r.status, exit_bad_input);
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind("orlavex-cli: ", 0), 0u) << r.err;
    }
    fs::remove(report);
}

// A thread's stack is as large as the stack limit: with a limit larger than
// all the memory allowed, no thread can start, and every command runs on
// its own thread with the same figures.
TEST(ResourceLimits, ThreadsThatCannotStartLeaveTheFiguresAlone) {
    if (address_sanitizer)
        GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
    const std::vector<std::vector<std::string>> commands = {
        {"point", "--json", "--trials", "200000"},
        {"sweep", "--over", "freq", "--from", "1", "--to", "4", "--points", "8", "--mc", "--trials",
         "20000", "--format", "csv"},
        {"advise", "--from", "1", "--to", "2", "--points", "3"}};
    for (const std::vector<std::string>& args : commands) {
        SCOPED_TRACE(args.front());
        const support::ChildRun free = support::run_child(ORLAVEX_CLI_PATH, args);
        ASSERT_EQ(free.status, 0) << free.err;
        const support::ChildRun r = run_limited({"--stack=2000000000", "--as=1000000000"}, args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, free.out);
    }
}

}  // namespace
}  // namespace orlavex::cli::test
