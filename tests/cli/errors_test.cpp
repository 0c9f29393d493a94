// Bad input: one line on standard error, status 2, nothing on standard
// output; --help and --version succeed.
#include "cli_runner.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orlavex::cli::test {
namespace {

struct BadInput {
    std::vector<std::string> args;
    std::string says;  // part of the message
};

const BadInput bad_inputs[] = {
    {{}, "give a command"},
    {{"plot"}, "plot"},
    {{"point", "--dut-noise", "8"}, "--dut-noise"},
    {{"point", "--dut-nf", "abc"}, "\"abc\" is not a number"},
    {{"point", "--dut-nf", "1e3"}, "is not a number"},
    {{"point", "--dut-nf", ""}, "is not a number"},
    {{"point", "--dut-nf", "-3"}, "does not take \"-3\" (range 0 to 100 dB)"},
    {{"point", "--dut-nf", "1234567"},
     "1234567 is not a value the field takes (range 0 to 100 dB)"},
    {{"point", "--strict", "--enr", "15.00001"},
     "--enr: 15.00001 dB is taken as 15 dB (as the field holds it); refused with --strict"},
    {{"point", "--strict", "--analyzer", "Galder-3", "--freq", "30"},
     "--freq: 30 GHz is taken as 13 GHz (range 0.01 to 13 GHz); refused with --strict"},
    {{"point", "--dut-nf"}, "--dut-nf"},
    {{"point", "--analyzer", "Aravel-99"}, "unknown model \"Aravel-99\""},
    {{"point", "--noise-source", "dummy"}, "unknown model \"dummy\""},
    {{"point", "--analyzer", "Aravel-1", "--analyzer-nf", "10"}, "Aravel-1 fixes"},
    {{"point", "--analyzer", "Aravel-1", "--analyzer-vswr", "1.2"}, "Aravel-1 fixes"},
    {{"point", "--noise-source", "NS346B", "--enr", "14"}, "NS346B fixes"},
    {{"point", "--noise-source", "NS346B", "--source-vswr", "1.1"}, "NS346B fixes"},
    {{"point", "--int-preamp"}, "no internal preamplifier"},
    {{"point", "--analyzer", "Aravel-7", "--int-preamp"}, "no internal preamplifier"},
    {{"point", "--analyzer", "Aravel-1", "--int-preamp", "1"}, "one internal preamplifier"},
    {{"point", "--analyzer", "Galder-3", "--int-preamp", "2"}, "--int-preamp"},
    {{"point", "--freq2", "5"}, "--freq-conv"},
    {{"point", "--dut-in-vswr", "1.2", "--dut-in-rl", "20"}, "excludes"},
    {{"point", "--analyzer-nf", "10", "--analyzer-danl", "-150"}, "excludes"},
    {{"point", "--trials", "0"}, "--trials"},
    {{"point", "--trials", "many"}, "--trials"},
    {{"point", "--seed", "-1"}, "--seed: must be a whole number from 0 to 2^64 - 1"},
    // Each whole number states its own range, not the seed's.
    {{"point", "--trials", "1e5"}, "--trials: must be a whole number from 1 to 100000000"},
    {{"point", "--tau", "-1"}, "--tau"},
    {{"point", "--noise-bw", "wide"}, "--noise-bw"},
    {{"point", "--spec-shape", "triangular"}, "--spec-shape"},
    {{"evaluate", "--meas-on", "-90"}, "--meas-off"},
    {{"evaluate", "--meas-on", "-90", "--meas-off", "-95"}, "--cal-on"},
    {{"evaluate", "--no-second-stage", "--cal-on", "-100", "--meas-on", "-90", "--meas-off", "-95"},
     "no calibration"},
    {{"evaluate", "--dut-nf", "8", "--meas-on", "-90", "--meas-off", "-95"}, "--dut-nf"},
    {{"evaluate", "--meas-on", "-90", "--meas-off", "-95", "--cal-on", "-100", "--cal-off", "-1e2"},
     "is not a number"},
    // An empty name, as an unset shell variable gives, names no file: it
    // is refused rather than run without the file.
    {{"point", "--setup", ""}, "--setup: no file name given"},
    {{"point", "--save-setup", ""}, "--save-setup: no file name given"},
    {{"point", "--loss-in-s2p", ""}, "--loss-in-s2p: no file name given"},
    {{"point", "--meas-enr-table", ""}, "--meas-enr-table: no file name given"},
    {{"point", "--meas-noise-source", ""}, "--meas-noise-source: no model name given"},
    {{"evaluate", "--setup", "", "--meas-on", "-90", "--meas-off", "-95"},
     "--setup: no file name given"},
    {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--points", "2", "--enr-table", ""},
     "--enr-table: no file name given"},
    {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--points", "2", "--dut-s2p", ""},
     "--dut-s2p: no file name given"},
    {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--points", "2", "--plot", ""},
     "--plot: no file name given"},
    {{"advise", "--from", "1", "--to", "2", "--points", "2", "--loss-out-s2p", ""},
     "--loss-out-s2p: no file name given"},
    {{"report", "--over", "freq", "--from", "1", "--to", "2", "--points", "2", "-o", ""},
     "--output: no file name given"},
    // Where the set-up goes is checked before anything is read or computed.
    {{"point", "--loss-in-s2p", "/no-such.s2p", "--save-setup", "/no-such-folder/a.orlavex.json"},
     "--save-setup: cannot write /no-such-folder/a.orlavex.json: there is no folder "
     "/no-such-folder"},
    {{"evaluate", "--meas-on", "-90", "--meas-off", "-95", "--save-setup", "/"},
     "--save-setup: cannot write /: it is a folder"},
    {{"sweep", "--over", "freq", "--from", "1", "--to", "2", "--enr-table", "/no-such.enr",
      "--save-setup", "/no-such-folder/a.orlavex.json"},
     "--save-setup: cannot write /no-such-folder/a.orlavex.json"},
    {{"advise", "--from", "1", "--to", "2", "--enr-table", "/no-such.enr", "--save-setup", "/"},
     "--save-setup: cannot write /: it is a folder"},
    {{"report", "--over", "freq", "--from", "1", "--to", "2", "--enr-table", "/no-such.enr", "-o",
      "/tmp/plan.html", "--save-setup", "/no-such-folder/a.orlavex.json"},
     "--save-setup: cannot write /no-such-folder/a.orlavex.json"},
    {{"catalogue"}, "analyzers or noise-sources"},
    {{"catalogue", "amplifiers"}, "amplifiers"},
};

TEST(BadInput, GivesOneLineAndStatusTwo) {
    for (const BadInput& bad : bad_inputs) {
        std::string shown;
        for (const std::string& a : bad.args)
            shown += " [" + a + "]";
        SCOPED_TRACE(shown);
        const CliRun r = run_cli(bad.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("orlavex-cli: ")) << r.err;
        EXPECT_EQ(std::ranges::count(r.err, '\n'), 1) << r.err;
        EXPECT_TRUE(r.err.ends_with("\n"));
        EXPECT_NE(r.err.find(bad.says), std::string::npos) << r.err;
    }
}

TEST(GoodInput, NegativeValuesWorkWithOrWithoutEquals) {
    EXPECT_EQ(run_cli({"point", "--trials", "100", "--dut-gain", "-5", "--dut-nf", "5"}).status, 0);
    EXPECT_EQ(run_cli({"point", "--trials", "100", "--dut-gain=-5", "--dut-nf=5"}).status, 0);
}

TEST(HelpAndVersion, PrintAndSucceed) {
    const CliRun help = run_cli({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"point", "evaluate", "catalogue"})
        EXPECT_NE(help.out.find(command), std::string::npos) << command;
    const CliRun point_help = run_cli({"point", "--help"});
    EXPECT_EQ(point_help.status, 0);
    // Each option shows the window's start-up value.
    EXPECT_NE(point_help.out.find("--dut-nf X=8 "), std::string::npos) << point_help.out;
    EXPECT_NE(point_help.out.find("--toff X=16.85 "), std::string::npos);
    const CliRun version = run_cli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "orlavex-cli 3.30\n");
    EXPECT_EQ(version.err, "");
}

}  // namespace
}  // namespace orlavex::cli::test
