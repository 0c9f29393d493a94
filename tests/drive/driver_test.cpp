// The driver's command reader: errors name their line, change nothing, and
// leave the lines around them running; dump prints the whole window.
#include "drive/driver.h"
#include "drive/json_dump.h"

#include <gtest/gtest.h>

#include <sstream>

namespace orlavex {
namespace {

struct ScriptResult {
    int status;
    std::string out;
    std::string err;
};

ScriptResult run(const std::string& script) {
    Driver driver;
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int status = driver.run_script(in, out, err);
    return {status, out.str(), err.str()};
}

TEST(DriverScript, CleanScriptExitsZeroAndSkipsCommentsAndBlankLines) {
    const ScriptResult r = run("# a comment\n\n   \nfocus txtENR\r\ndump\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("\"focus\":\"txtENR\""), std::string::npos);
}

TEST(DriverScript, EachBadLineIsReportedWithItsNumberAndTheRestStillRuns) {
    const std::string long_name(5000, 'x');
    const ScriptResult r =
        run("frobnicate\n"
            "focus lblNoSuchThing\n"
            "click\n"
            "click mnuRes\n"
            "click mnuRes 9\n"
            "focus lblYcal\n"
            "key Sideways\n"
            "locale dot\n"
            "focus " +
            long_name +
            "\n"
            "click mnuRes 3\n"
            "dump\n");
    EXPECT_EQ(r.status, 2);
    std::istringstream lines(r.err);
    std::string line;
    for (int expected_line : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind("orlavex-drive: line " + std::to_string(expected_line) + ": ", 0), 0u)
            << line;
        EXPECT_LT(line.size(), 200u) << "a long argument is not echoed whole";
    }
    EXPECT_FALSE(std::getline(lines, line)) << "only the bad lines are reported";
    // The good lines around the bad ones ran.
    EXPECT_NE(r.out.find("+ 0.1134 dB"), std::string::npos);
}

TEST(DriverScript, AFailedCommandChangesNothing) {
    Driver driver;
    std::ostringstream out;
    const std::string before = dump_json(driver.calculator());
    EXPECT_FALSE(driver.run_line("focus txtCalON", out).empty());  // disabled at start-up
    EXPECT_FALSE(driver.run_line("click lblYcal", out).empty());   // no click action
    EXPECT_FALSE(driver.run_line("text lblYcal 5", out).empty());  // not an entry field
    EXPECT_EQ(dump_json(driver.calculator()), before);
}

TEST(DriverScript, TextTakesTheRestOfTheLineVerbatim) {
    Driver driver;
    std::ostringstream out;
    EXPECT_EQ(driver.run_line("text txtENR  1 2 ", out), "");
    EXPECT_EQ(driver.calculator().form[Ctl::txtENR].text, " 1 2 ");
    EXPECT_EQ(driver.run_line("text txtENR", out), "");
    EXPECT_EQ(driver.calculator().form[Ctl::txtENR].text, "");
}

TEST(DriverDump, PopupAndOpenedAddressesAreReportedOnce) {
    const ScriptResult r = run("click lblSAsel\nclick mnuWeb 2\ndump\ndump\n");
    std::istringstream lines(r.out);
    std::string first;
    std::string second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_NE(first.find("\"popup\":\"mnuSAtop\""), std::string::npos);
    EXPECT_NE(first.find("\"opened\":[\"https://"), std::string::npos);
    EXPECT_NE(second.find("\"popup\":null"), std::string::npos);
    EXPECT_NE(second.find("\"opened\":[]"), std::string::npos);
}

TEST(DriverDump, ColoursAreIntegersAndArraysAreLists) {
    const std::string json = run("dump\n").out;
    EXPECT_NE(json.find("\"backcolor\":2147483653"), std::string::npos);
    EXPECT_NE(json.find("\"mnuRes\":[{\"caption\":\".1\""), std::string::npos);
    EXPECT_NE(json.find("\"caption\":\"Korvanti Orlavex 3.30\""), std::string::npos);
    EXPECT_NE(json.find("\"height\":5480"), std::string::npos);
    EXPECT_NE(json.find("\"optDUTIn_VSWR\":{\"caption\":\"VSWR\""), std::string::npos);
}

TEST(JsonString, EscapesQuotesControlsAndBrokenUtf8) {
    EXPECT_EQ(json_string("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(json_string("\r\n"), "\"\\u000d\\u000a\"");
    EXPECT_EQ(json_string("\xC3\xA9"), "\"\xC3\xA9\"");
    EXPECT_EQ(json_string("\xFF"), "\"\xEF\xBF\xBD\"");
}

}  // namespace
}  // namespace orlavex
