// Input that tries to break the command line: long or control-character
// arguments echoed into messages, values the model cannot mean, memory
// running out. Every one is refused with one short line and status 2.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace orlavex::cli::test {
namespace {

void expect_one_line_refusal(const CliRun& r) {
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("orlavex-cli: ")) << r.err;
    EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
    EXPECT_TRUE(r.err.ends_with("\n")) << r.err;
}

TEST(EchoedInput, IsClippedAtFortyCharactersWithAMark) {
    const std::string huge(120'000, 'x');
    const std::string forty(40, 'x');
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"point", "--dut-nf", huge},                            // our own message
             {"point", "--analyzer", huge},                          // unknown model
             {"point", "--spec-shape", huge},                        // the parser's message
             {"sweep", "--over", huge, "--from", "1", "--to", "2"},  // the parser's message
             {"point", huge}}) {
        SCOPED_TRACE(args[1]);
        const CliRun r = run_cli(args);
        expect_one_line_refusal(r);
        EXPECT_LT(r.err.size(), 300u) << r.err.substr(0, 300);
        if (r.err.find('x') != std::string::npos) {
            EXPECT_NE(r.err.find(forty + "..."), std::string::npos) << r.err.substr(0, 300);
            EXPECT_EQ(r.err.find(forty + "x"), std::string::npos);
        }
    }
}

// Whether TEXT is well-formed UTF-8 (no character cut short).
bool is_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : lead >> 5 == 0x6  ? 2
                                   : lead >> 4 == 0xe  ? 3
                                   : lead >> 3 == 0x1e ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80) return false;
        i += length;
    }
    return true;
}

TEST(EchoedInput, ClipsWholeCharactersNotBytes) {
    std::string euros, forty_euros, forty_umlauts;
    for (int i = 0; i < 47; ++i)
        euros += "\u20ac";
    for (int i = 0; i < 40; ++i) {
        forty_euros += "\u20ac";
        forty_umlauts += "\u00e4";
    }
    // Our own message, the application's and the parser's.
    for (const char* option : {"--dut-nf", "--analyzer", "--spec-shape"}) {
        SCOPED_TRACE(option);
        const CliRun r = run_cli({"point", option, euros});
        expect_one_line_refusal(r);
        EXPECT_TRUE(is_utf8(r.err)) << r.err;
        EXPECT_NE(r.err.find(forty_euros + "..."), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(forty_euros + "\u20ac"), std::string::npos) << r.err;

        // Forty characters of two bytes each are not clipped at all.
        const CliRun whole = run_cli({"point", option, forty_umlauts});
        expect_one_line_refusal(whole);
        EXPECT_NE(whole.err.find(forty_umlauts), std::string::npos) << whole.err;
        EXPECT_EQ(whole.err.find("..."), std::string::npos) << whole.err;
    }
}

TEST(EchoedInput, ShowsControlCharactersEscaped) {
    const CliRun line_break = run_cli({"evaluate", "--cal-on", "\n", "--cal-off", "-100",
                                       "--meas-on", "-90", "--meas-off", "-95"});
    expect_one_line_refusal(line_break);
    EXPECT_NE(line_break.err.find("\"\\x0a\" is not a number"), std::string::npos)
        << line_break.err;

    const CliRun inside = run_cli({"point", "--analyzer", "Ara\nvel\t1"});
    expect_one_line_refusal(inside);
    EXPECT_NE(inside.err.find("Ara\\x0avel\\x091"), std::string::npos) << inside.err;

    const CliRun parser = run_cli({"point", "--spec-shape", "rect\nangular"});
    expect_one_line_refusal(parser);
    EXPECT_NE(parser.err.find("rect\\x0aangular"), std::string::npos) << parser.err;
}

TEST(ModelInputs, RefuseWhatTheModelCannotMean) {
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"point", "--noise-bw", "inf", "--tau", "1"}, "--noise-bw: must be a finite number"},
        {{"point", "--noise-bw", "1e6", "--tau", "inf"}, "--tau: must be a finite number"},
        {{"point", "--noise-bw", "nan"}, "--noise-bw"},
        // One reading must average at least one sample; the product of
        // these underflows to 0 and made every trial invalid.
        {{"point", "--noise-bw", "1e-300", "--tau", "1e-300"},
         "--noise-bw times --tau must be at least 1"},
        {{"point", "--noise-bw", "1000", "--tau", "1e-4"}, "1000 Hz times 1e-04 s is less"},
        {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--noise-bw", "0.5", "--tau", "1"},
         "--noise-bw times --tau must be at least 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[2]);
        const CliRun r = run_cli(c.args);
        expect_one_line_refusal(r);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    // The edge itself and jitter off are taken.
    EXPECT_EQ(run_cli({"point", "--trials", "100", "--noise-bw", "1", "--tau", "1"}).status, 0);
    EXPECT_EQ(run_cli({"point", "--trials", "100", "--noise-bw", "1e-300", "--tau", "0"}).status,
              0);
}

// Unused in the sanitizer build, where the test below is skipped.
[[maybe_unused]] std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(OutOfMemory, IsOneLineAndStatusTwo) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizers reserve more address space than the limit allows";
#else
    const std::filesystem::path err =
        std::filesystem::temp_directory_path() / ("orlavex-oom-" + std::to_string(::getpid()));
    // 300 MB of address space; 1e8 trials need far more.
    const std::string command = "ulimit -v 300000; exec '" + std::string(ORLAVEX_CLI_PATH) +
                                "' point --trials 100000000 >/dev/null 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    const std::string message = slurp(err);
    std::filesystem::remove(err);
    ASSERT_TRUE(WIFEXITED(status)) << "killed by a signal: " << message;
    EXPECT_EQ(WEXITSTATUS(status), 2) << message;
    EXPECT_EQ(message, "orlavex-cli: out of memory: ask for fewer --trials or --points\n");
#endif
}

}  // namespace
}  // namespace orlavex::cli::test
