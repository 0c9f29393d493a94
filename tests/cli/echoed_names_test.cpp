// Names a message echoes (files, folders, models) whatever characters they
// hold: a line break keeps the message on one line, a right-to-left override
// cannot show a name reversed, a byte that is no UTF-8 is no garbage.
#include "cli/run.h"
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlavex::cli::test {
namespace {

const std::string right_to_left_override = "\u202e";

struct EchoCase {
    std::vector<std::string> args;
    std::string shown;  // the name as the message must show it
};

TEST(EchoedNames, StayOnOneLineAndShowAsSpelt) {
    const std::string broken = "/nonexist\nent";
    const std::vector<std::string> sweep = {"--over", "freq", "--from", "1", "--to", "2"};
    const auto with = [&](std::vector<std::string> args, std::vector<std::string> more) {
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<EchoCase> cases = {
        {{"point", "--save-setup", broken + "/x.json"}, "there is no folder /nonexist\\x0aent"},
        {with({"sweep"}, with(sweep, {"--plot", broken + "/x.png"})),
         "there is no folder /nonexist\\x0aent"},
        {with({"report"}, with(sweep, {"-o", broken + "/x.html"})),
         "there is no folder /nonexist\\x0aent"},
        {{"point", "--analyzer", "ABC" + right_to_left_override + "DEF"}, "\"ABC\\u202eDEF\""},
        {{"point", "--save-setup", "/tmp/" + right_to_left_override + "nosuch/x.json"},
         "there is no folder /tmp/\\u202enosuch"},
        {{"point", "--save-setup", "/tmp/\xff\xfe/x.json"}, "there is no folder /tmp/\\xff\\xfe"},
    };
    for (const EchoCase& c : cases) {
        SCOPED_TRACE(c.args.front() + " " + c.args.back());
        const CliRun r = run_cli(c.args);
        EXPECT_EQ(r.status, exit_bad_input);
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(c.shown), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find(right_to_left_override), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace orlavex::cli::test
