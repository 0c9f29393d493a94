// The progress line of long runs: written in place on a terminal once the
// run passes its delay, cleared at the end, and never written elsewhere.
#include "cli/progress_line.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <string>
#include <thread>

namespace orlavex::cli::test {
namespace {

using namespace std::chrono_literals;

// Everything written to the pipe's write end by a ProgressLine that lives
// for LIFE, with DISPLAY's other settings.
std::string written(ProgressDisplay display, std::chrono::milliseconds life) {
    std::array<int, 2> fds{};
    EXPECT_EQ(::pipe2(fds.data(), O_NONBLOCK), 0);
    display.fd = fds[1];
    {
        const ProgressLine line(
            "sweep", "points",
            [] {
                return Progress{3, 10};
            },
            display);
        std::this_thread::sleep_for(life);
    }
    ::close(fds[1]);
    std::string text;
    std::array<char, 4096> buffer{};
    for (ssize_t n; (n = ::read(fds[0], buffer.data(), buffer.size())) > 0;)
        text.append(buffer.data(), static_cast<std::size_t>(n));
    ::close(fds[0]);
    return text;
}

TEST(ProgressLine, OnATerminalRewritesOneLineAndClearsIt) {
    const std::string text = written({.terminal = true, .after = 0ms, .every = 10ms}, 200ms);
    EXPECT_TRUE(text.starts_with("\r\x1b[Korlavex-cli: sweep, 3 of 10 points (30 %), 0 s")) << text;
    EXPECT_TRUE(text.ends_with("\r\x1b[K")) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos) << "one line, rewritten";
}

TEST(ProgressLine, ShowsNothingForShortRunsOrOffATerminal) {
    EXPECT_EQ(written({.terminal = true, .after = 5000ms, .every = 10ms}, 50ms), "");
    EXPECT_EQ(written({.terminal = false, .after = 0ms, .every = 10ms}, 100ms), "");
}

TEST(ProgressText, SaysHowFarWhenTheTotalIsKnown) {
    EXPECT_EQ(progress_text("advise", "points", {523, 1001}, 3s),
              "orlavex-cli: advise, 523 of 1001 points (52 %), 3 s");
    EXPECT_EQ(progress_text("Monte Carlo of 100000000 trials", "trials", {}, 12s),
              "orlavex-cli: Monte Carlo of 100000000 trials, 12 s");
}

TEST(LongRuns, KeepStandardErrorCleanWhenItIsNoTerminal) {
    // Long enough to pass the progress line's delay on any machine here.
    const CliRun r = run_binary({"point", "--trials", "5000000", "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace orlavex::cli::test
