// The real orlavex-drive binary fed bad input: each bad line gives one error
// line naming its number, the lines around it still run, and the exit status
// is 2.
#include <gtest/gtest.h>

#include "child_process.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct DriveResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs orlavex-drive with SCRIPT on standard input.
DriveResult drive(const std::string& script, const char* option = nullptr) {
    std::vector<std::string> args;
    if (option != nullptr) args.emplace_back(option);
    const orlavex::support::ChildRun child =
        orlavex::support::run_child(ORLAVEX_DRIVE_PATH, args, {.input = script, .keep_output = true});
    return {child.status, child.out, child.err};
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// One error line for line NUMBER, starting as the driver writes it.
void expect_error(const std::string& line, int number, const std::string& reason) {
    EXPECT_EQ(line.rfind("orlavex-drive: line " + std::to_string(number) + ": ", 0), 0u) << line;
    EXPECT_NE(line.find(reason), std::string::npos) << line;
}

TEST(DriveProcess, HelpAndVersionAnswerWithoutReadingAScript) {
    const DriveResult help = drive("dump\n", "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: orlavex-drive", 0), 0u) << help.out;
    for (const char* command :
         {"focus", "text", "type", "key", "select", "click", "locale", "dump"})
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    EXPECT_EQ(help.out.find('{'), std::string::npos);  // the script was not run

    const DriveResult version = drive("dump\n", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "orlavex-drive 3.30\n");
    EXPECT_EQ(version.err, "");

    const DriveResult wrong = drive("dump\n", "--frobnicate");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err.rfind("orlavex-drive: unknown argument \"--frobnicate\"\n", 0), 0u);
}

TEST(DriveProcess, ACleanScriptExitsZeroWithNothingOnStandardError) {
    const DriveResult r = drive("focus txtENR\ntype 1\ndump\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(lines_of(r.out).size(), 1u);
}

TEST(DriveProcess, BadLinesAreReportedByNumberAndTheOthersStillRun) {
    const DriveResult r = drive(
        "frobnicate now\n"        // 1: unknown command
        "click mnuRes 0\n"        // 2
        "focus lblNoSuchThing\n"  // 3: unknown control
        "text\n"                  // 4: missing control name
        "key\n"                   // 5: missing key name
        "select 1\n"              // 6: missing length
        "type\n"                  // 7: nothing to type
        "click\n"                 // 8: missing control name
        "locale\n"                // 9: missing separator
        "dump\n");                // 10
    EXPECT_EQ(r.status, 2);
    const std::vector<std::string> err = lines_of(r.err);
    ASSERT_EQ(err.size(), 8u) << r.err;
    expect_error(err[0], 1, "unknown command");
    expect_error(err[1], 3, "unknown control");
    expect_error(err[2], 4, "missing control name");
    expect_error(err[3], 5, "missing key name");
    expect_error(err[4], 6, "select needs a start and a length");
    expect_error(err[5], 7, "missing characters");
    expect_error(err[6], 8, "missing control name");
    expect_error(err[7], 9, "locale needs");
    // Line 2 ran before the dump of line 10: the resolution is one decimal.
    const std::vector<std::string> out = lines_of(r.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_NE(out[0].find("\"lblNF_unc\":{\"caption\":\"+ 0.1 dB\""), std::string::npos);
}

TEST(DriveProcess, AMegabyteLineIsOneShortErrorAndTheNextLinesRun) {
    const std::string huge(1 << 20, 'x');
    for (const std::string& bad : {huge, "click " + huge, "focus txtENR " + huge}) {
        const DriveResult r = drive("text txtENR 12\n" + bad + "\nfocus txtFreq\ndump\n");
        EXPECT_EQ(r.status, 2);
        const std::vector<std::string> err = lines_of(r.err);
        ASSERT_EQ(err.size(), 1u);
        expect_error(err[0], 2, "");
        EXPECT_LT(err[0].size(), 200u) << "the long line is not echoed whole";
        const std::vector<std::string> out = lines_of(r.out);
        ASSERT_EQ(out.size(), 1u);
        EXPECT_NE(out[0].find("\"focus\":\"txtFreq\""), std::string::npos);
        EXPECT_NE(out[0].find("\"txtENR\":{\"text\":\"12\""), std::string::npos);
    }
}

TEST(DriveProcess, AMegabyteOfTypingFillsTheFieldOnlyToItsLimit) {
    const DriveResult r = drive("focus txtENR\ntype " + std::string(1 << 20, '7') + "\ndump\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"txtENR\":{\"text\":\"777777\""), std::string::npos);
}

}  // namespace
