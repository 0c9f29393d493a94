// The child-process runner of the process tests and benchmarks: input and
// outputs reach the right places, the exit status comes back, and the CPU
// time counted is the child's, its own children included, and its peak
// memory its own.
#include "child_process.h"

#include <gtest/gtest.h>

namespace orlavex::support {
namespace {

TEST(ChildProcess, FeedsItsInputAndKeepsBothOutputsAndTheStatus) {
    const ChildRun run =
        run_child("/bin/sh", {"-c", "tr a-z A-Z; echo oops >&2; exit 3"}, {.input = "hello\n"});
    EXPECT_TRUE(run.started);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, "HELLO\n");
    EXPECT_EQ(run.err, "oops\n");
}

TEST(ChildProcess, DiscardsTheOutputsWhenAsked) {
    const ChildRun run = run_child("/bin/sh", {"-c", "echo visible; echo also >&2"},
                                   {.input = {}, .keep_output = false});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(ChildProcess, SaysWhenTheProgramCannotStart) {
    const ChildRun run = run_child("/no/such/program", {});
    EXPECT_FALSE(run.started);
    EXPECT_EQ(run.status, -1);
}

TEST(ChildProcess, CountsTheCpuTimeOfTheChildAndOfWhatItWaitsFor) {
    // The shell's child (the inner sh) does the work; the runner's child
    // only waits for it.
    const ChildRun run =
        run_child("/bin/sh", {"-c", "sh -c 'i=0; while [ $i -lt 300000 ]; do i=$((i+1)); done'"});
    EXPECT_EQ(run.status, 0);
    EXPECT_GT(run.cpu_seconds, 0.01);
    const ChildRun idle = run_child("/bin/sh", {"-c", "sleep 0.2"});
    EXPECT_GE(idle.wall_seconds, 0.2);
    EXPECT_LT(idle.cpu_seconds, idle.wall_seconds);
}

TEST(ChildProcess, MeasuresTheChildsPeakMemory) {
    // A 64 MiB string held by the child, touched whole, against a shell that holds nothing.
    const ChildRun big = run_child("/usr/bin/python3", {"-c", "b = bytearray(64 << 20)"});
    const ChildRun small = run_child("/bin/sh", {"-c", "exit 0"});
    EXPECT_EQ(big.status, 0);
    EXPECT_GT(big.peak_rss_mib, 64);
    EXPECT_LT(small.peak_rss_mib, 16);
    EXPECT_GT(small.peak_rss_mib, 0);
}

}  // namespace
}  // namespace orlavex::support
