// orlavex-cli measure against orlavex-sim, both started by the test on a
// loopback port: a known DUT measured across a band, and every fault the
// simulator injects ending the run with one line, the source off and the
// completed frequencies kept.
#include "child_process.h"
#include "sim_process.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <sstream>
#include <tuple>

namespace orlavex::testing {
namespace {

namespace fs = std::filesystem;

// A set-up file of the test data: the bench the simulator simulates, and
// the set-up its readings are evaluated with.
std::string setup_file(const char* name) {
    return std::string(ORLAVEX_TEST_DATA_DIR) + "/" + name;
}
// The set-up of a DUT that converts nothing.
std::string plan() {
    return setup_file("plan.orlavex.json");
}

std::string temp(const std::string& name) {
    return ::testing::TempDir() + "measure-" + std::to_string(::getpid()) + "-" + name;
}

// A shipped analyzer profile with the simulator's DUT switch added (a bench
// with a switch), and EDIT applied; written to a file of the test's own.
std::string profile_file(const std::string& shipped,
                         const std::function<void(nlohmann::json&)>& edit = {}) {
    std::ifstream in(std::string(ORLAVEX_PROFILES_DIR) + "/" + shipped + ".json");
    nlohmann::json p = nlohmann::json::parse(in);
    p["dut_in"] = "SIM:DUT ON";
    p["dut_out"] = "SIM:DUT OFF";
    if (edit) edit(p);
    const std::string path = temp(shipped + ".json");
    std::ofstream(path) << p.dump(2);
    return path;
}

// The band measured and the set-up it is evaluated with.
struct Band {
    std::string setup = plan();
    std::string from = "1", to = "18";
};

std::vector<std::string> measure_args(const SimProcess& sim, const std::string& profile, int points,
                                      const std::string& readings, const Band& band = {}) {
    // clang-format off
    return {"measure", "--setup", band.setup, "--analyzer-address", sim.address(),
            "--profile", profile, "--from", band.from, "--to", band.to,
            "--points", std::to_string(points), "--yes",
            "--save-readings", readings, "--format", "csv"};
    // clang-format on
}

support::ChildRun cli(const std::vector<std::string>& args) {
    return support::run_child(ORLAVEX_CLI_PATH, args);
}

// The rows of an evaluation's CSV as their cells.
std::vector<std::vector<std::string>> csv_rows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::istringstream cell_in(line);
        for (std::string cell; std::getline(cell_in, cell, ',');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

// Frequencies a readings file holds.
std::size_t frequencies_in(const std::string& path) {
    std::ifstream in(path);
    std::set<std::string> freqs;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || line.starts_with("freq_ghz")) continue;
        freqs.insert(line.substr(0, line.find(',')));
    }
    return freqs.size();
}

// The DUT's noise figure and gain as SETUP gives them.
std::pair<double, double> dut_of(const std::string& setup) {
    std::ifstream in(setup);
    const nlohmann::json j = nlohmann::json::parse(in);
    return {j["inputs"]["dut_nf_db"].get<double>(), j["inputs"]["dut_gain_db"].get<double>()};
}

struct BandCase {
    const char* setup;
    const char* profile;
    bool supply;  // the source on a supply, else on the analyzer's drive output
    const char *from, *to;
    int points;
};

// A DUT that converts nothing, with either profile; converting DUTs with
// the LO below (output below the input, SSB without an image response) and
// above (output falling as the input rises, DSB).
constexpr BandCase band_cases[] = {
    {"plan.orlavex.json", "analyzer-marker-noise", false, "1", "18", 50},
    {"plan.orlavex.json", "analyzer-channel-power", true, "1", "18", 50},
    {"mixer-below.orlavex.json", "analyzer-marker-noise", false, "11", "14", 30},
    {"mixer-above-dsb.orlavex.json", "analyzer-channel-power", true, "2.5", "3.5", 30},
};

TEST(Measure, KnownDutAcrossTheBandWithinItsUncertaintyAndReEvaluatedExactly) {
    for (const BandCase& c : band_cases) {
        SCOPED_TRACE(std::string(c.setup) + " " + c.profile);
        const std::string setup = setup_file(c.setup);
        const auto [nf_db, gain_db] = dut_of(setup);
        SimProcess sim(setup, {"--seed", "7"});
        const std::string readings = temp(std::string(c.profile) + ".csv");
        std::vector<std::string> args =
            measure_args(sim, profile_file(c.profile), c.points, readings, {setup, c.from, c.to});
        args.insert(args.end(), {"--repeat", "3"});
        if (c.supply) args.insert(args.end(), {"--source", "supply:" + sim.address()});
        const support::ChildRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const auto rows = csv_rows(run.out);
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.points));
        int within = 0;
        for (const auto& r : rows) {
            const double nf = std::stod(r[1]), gain = std::stod(r[2]), U = std::stod(r[4]);
            within += std::fabs(nf - nf_db) <= U;
            EXPECT_NEAR(gain, gain_db, 0.5);
        }
        EXPECT_GE(10 * within, 9 * c.points) << within << " of " << c.points << " within their U";
        const support::ChildRun again =
            cli({"evaluate", "--setup", setup, "--readings", readings, "--format", "csv"});
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, run.out);
        EXPECT_EQ(sim.ask("SIM:SOURCE?"), "OFF");
        fs::remove(readings);
    }
}

// The values of column COLUMN of a readings or calibration file, each once.
std::set<std::string> column_of(const std::string& path, const std::string& column) {
    std::ifstream in(path);
    std::vector<std::string> header;
    std::set<std::string> values;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> cells;
        std::istringstream cell_in(line);
        for (std::string cell; std::getline(cell_in, cell, ',');)
            cells.push_back(cell);
        if (header.empty()) {
            header = cells;
            continue;
        }
        const auto at = std::ranges::find(header, column);
        if (at != header.end()) values.insert(cells[at - header.begin()]);
    }
    return values;
}

TEST(Measure, CalibrationSavedAtTheFrequenciesReadAndUsedAgain) {
    // A DUT that converts nothing, and one whose output falls as its input
    // rises: its calibration at each output, in rising order.
    for (const Band& band :
         {Band{}, Band{setup_file("mixer-above-dsb.orlavex.json"), "2.5", "3.5"}}) {
        SCOPED_TRACE(band.setup);
        SimProcess sim(band.setup);
        const std::string profile = profile_file("analyzer-marker-noise");
        const std::string first = temp("first.csv"), second = temp("second.csv"),
                          calibration = temp("cal.csv");
        std::vector<std::string> args = measure_args(sim, profile, 8, first, band);
        args.insert(args.end(), {"--save-calibration", calibration, "--repeat", "2"});
        ASSERT_EQ(cli(args).status, 0);
        const bool converting = band.setup != plan();
        EXPECT_EQ(column_of(calibration, "freq_ghz"),
                  column_of(first, converting ? "freq2_ghz" : "freq_ghz"));
        args = measure_args(sim, profile, 8, second, band);
        args.insert(args.end(), {"--calibration", calibration, "--repeat", "2"});
        const support::ChildRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        ASSERT_EQ(csv_rows(run.out).size(), 8u);
        for (const auto& r : csv_rows(run.out))
            EXPECT_NEAR(std::stod(r[1]), dut_of(band.setup).first, std::stod(r[4]));
        const support::ChildRun again =
            cli({"evaluate", "--setup", band.setup, "--readings", second, "--calibration",
                 calibration, "--format", "csv"});
        EXPECT_EQ(again.out, run.out);
        for (const std::string& f : {first, second, calibration})
            fs::remove(f);
    }
}

// Single readings: each jitter row from the noise bandwidth and integration
// time the profile states at its settings, not the set-up's typed ones, and
// the result says so; the saved readings evaluate again to the same.
TEST(Measure, SingleReadingsJitterFromTheProfilesBandwidthAndTime) {
    struct Case {
        const char* profile;
        const char* bandwidth;  // the setting the profile's noise bandwidth is
    };
    const Case cases[] = {{"analyzer-marker-noise", "rbw_hz"},
                          {"analyzer-channel-power", "channel_hz"}};
    // The plan with a jitter of its own typed.
    std::ifstream plan_in(plan());
    nlohmann::json typed = nlohmann::json::parse(plan_in);
    typed["inputs"]["noise_bw_hz"] = 1000;
    typed["inputs"]["tau_s"] = 0.01;
    const std::string setup = temp("typed-jitter.orlavex.json");
    std::ofstream(setup) << typed.dump(2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile);
        const std::string profile = profile_file(c.profile);
        std::ifstream profile_in(profile);
        const nlohmann::json settings = nlohmann::json::parse(profile_in)["settings"];
        const double B = settings[c.bandwidth].get<double>(),
                     tau = settings["sweep_time_s"].get<double>() *
                           settings["averages"].get<double>();
        SimProcess sim(setup);
        const std::string readings = temp("single.csv");
        std::vector<std::string> args = measure_args(sim, profile, 3, readings, {setup, "2", "4"});
        args.back() = "json";
        const support::ChildRun run = cli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        const nlohmann::json points = nlohmann::json::parse(run.out);
        ASSERT_EQ(points.size(), 3u);
        for (const nlohmann::json& p : points) {
            int rows = 0;
            for (const nlohmann::json& line : p["gum"]["budget"]) {
                if (!line["source"].get<std::string>().starts_with("jitter_")) continue;
                ++rows;
                EXPECT_DOUBLE_EQ(line["u"].get<double>(), 1 / std::sqrt(B * tau)) << line["source"];
            }
            EXPECT_EQ(rows, 4);
            EXPECT_NE(
                p["notes"].dump().find("the readings give (the analyzer's), not the set-up's"),
                std::string::npos)
                << p["notes"];
        }
        const support::ChildRun again =
            cli({"evaluate", "--setup", setup, "--readings", readings, "--format", "json"});
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(again.out, run.out);
        fs::remove(readings);
    }
    fs::remove(setup);
}

// The run's own evaluation drawn and reported as evaluate --plot and
// report --readings draw and report the saved readings: the SVG with the
// plan of the set-up, the report's table with the CSV's figures.
TEST(Measure, DrawsAndReportsTheRunsEvaluation) {
    if (!ORLAVEX_HAVE_PLOT) GTEST_SKIP() << "built without the Qt programs";
    SimProcess sim(plan());
    const std::string readings = temp("drawn.csv"), svg = temp("drawn.svg"),
                      html = temp("drawn.html");
    std::vector<std::string> args =
        measure_args(sim, profile_file("analyzer-marker-noise"), 5, readings);
    args.insert(args.end(), {"--plot", svg, "--report", html});
    const support::ChildRun run = cli(args);
    ASSERT_EQ(run.status, 0) << run.err;
    const auto rows = csv_rows(run.out);
    ASSERT_EQ(rows.size(), 5u);
    std::ifstream svg_in(svg), html_in(html);
    const std::string drawn{std::istreambuf_iterator<char>(svg_in), {}},
        page{std::istreambuf_iterator<char>(html_in), {}};
    for (const char* words : {"measured NF ± U", "planned NF", "planned gain"})
        EXPECT_NE(drawn.find(words), std::string::npos) << words;
    for (const auto& r : rows) {
        // The CSV's NF and U to the report's four places.
        char nf[32], u[32];
        std::snprintf(nf, sizeof nf, ">%.4f</td>", std::stod(r[1]));
        std::snprintf(u, sizeof u, ">%.4f</td>", std::stod(r[4]));
        EXPECT_NE(page.find(nf), std::string::npos) << nf;
        EXPECT_NE(page.find(u), std::string::npos) << u;
    }
    EXPECT_NE(page.find(">" + fs::path(readings).filename().string() + "<"), std::string::npos)
        << "the readings named";
    for (const std::string& f : {readings, svg, html})
        fs::remove(f);
}

TEST(Measure, RefusesABadPlotOrReportBeforeTheBench) {
    SimProcess sim(plan());
    const std::string readings = temp("never.csv");
    for (const auto& [option, file, says] :
         {std::tuple{"--plot", temp("m.pdf"), "--plot: the file must end in .png or .svg"},
          std::tuple{"--report", temp("m.svg"),
                     "--report: the report file must end in .html or .pdf"},
          std::tuple{"--report", temp("no/such/m.html"), "--report: cannot write"}}) {
        SCOPED_TRACE(option);
        std::vector<std::string> args =
            measure_args(sim, profile_file("analyzer-marker-noise"), 3, readings);
        args.insert(args.end(), {option, file});
        const support::ChildRun run = cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind(std::string("orlavex-cli: ") + says, 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(readings)) << "the bench was touched";
        EXPECT_FALSE(fs::exists(file));
    }
}

struct FaultCase {
    const char* name;
    std::vector<std::string> sim_args;
    std::vector<std::string> cli_args;
    const char* says;
    bool keeps;  // some frequencies completed before it
    bool bad_command = false;
    // The new connection that switches the source off fails too: the line
    // must say so (the simulator's source is off all the same).
    bool source_in_doubt = false;
};

TEST(Measure, EachFaultEndsWithOneLineTheSourceOffAndCompletedFrequenciesKept) {
    // clang-format off
    const std::vector<FaultCase> faults = {
        {"drop", {"--drop-after", "330"}, {}, "lost the connection to the analyzer", true},
        {"garbage", {"--garbage-after", "330"}, {}, "garbage", true},
        {"overload", {"--overload"}, {}, "reports an overload (9.91e+37)", false},
        {"stuck source", {"--stuck-source"}, {}, "does not seem to switch", false},
        {"timeout", {"--delay", "400"}, {"--timeout", "0.1"}, "did not reply to \"*IDN?\" in time",
         false},
        {"SCPI error", {}, {}, "reports -113,\"Undefined header\" after \"INIT:IMMX\"", false,
         true},
        {"drop at once", {"--drop-after", "1"}, {}, "the noise source may still be on", false,
         false, true},
    };
    // clang-format on
    for (const FaultCase& f : faults) {
        SCOPED_TRACE(f.name);
        SimProcess sim(plan(), f.sim_args);
        const std::string profile = profile_file("analyzer-marker-noise", [&](nlohmann::json& p) {
            if (f.bad_command) p["single_sweep"] = "INIT:IMMX";
        });
        const std::string readings = temp("fault.csv");
        fs::remove(readings);
        std::vector<std::string> args = measure_args(sim, profile, 10, readings);
        args.insert(args.end(), f.cli_args.begin(), f.cli_args.end());
        const support::ChildRun run = cli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.starts_with("orlavex-cli: measure stopped in ")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_NE(run.err.find(f.says), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("may still be on") != std::string::npos, f.source_in_doubt)
            << run.err;
        EXPECT_EQ(sim.ask("SIM:SOURCE?"), "OFF");
        const std::size_t kept = fs::exists(readings) ? frequencies_in(readings) : 0;
        EXPECT_NE(run.err.find(std::to_string(kept) + " of 10 frequencies measured"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(kept > 0, f.keeps) << kept;
        if (kept > 0) {
            EXPECT_NE(run.err.find("kept in " + readings), std::string::npos) << run.err;
            const auto again =
                cli({"evaluate", "--setup", plan(), "--readings", readings, "--format", "csv"});
            EXPECT_EQ(again.status, 0) << again.err;
            EXPECT_EQ(csv_rows(again.out).size(), kept);
        }
        fs::remove(readings);
    }
}

TEST(Measure, InterruptSwitchesTheSourceOffAndEndsWith130) {
    SimProcess sim(plan());
    const std::string readings = temp("interrupted.csv");
    std::vector<std::string> args =
        measure_args(sim, profile_file("analyzer-marker-noise"), 20000, readings);
    args.insert(args.end(), {"--repeat", "10"});
    const Interrupted run = run_and_interrupt(ORLAVEX_CLI_PATH, args, 500);
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find(": interrupted; "), std::string::npos) << run.err;
    EXPECT_EQ(sim.ask("SIM:SOURCE?"), "OFF");
    fs::remove(readings);
}

// Ctrl+C while the source command runs: the command finishes, then the run
// stops as on any Ctrl+C, the source switched off by the command once more.
TEST(Measure, InterruptDuringTheSourceCommandLetsItFinishThenSwitchesOff) {
    SimProcess sim(plan());
    const std::string readings = temp("commanded.csv"), log = temp("source.log");
    fs::remove(log);
    std::vector<std::string> args =
        measure_args(sim, profile_file("analyzer-marker-noise"), 1, readings);
    // The first command (the source off before the calibration) sleeps a
    // second; Ctrl+C comes half-way through it.
    args.insert(args.end(), {"--source", "command:sleep 1; echo {state} >> " + log});
    const Interrupted run = run_and_interrupt(ORLAVEX_CLI_PATH, args, 500);
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find(": interrupted; 0 of 1 frequencies measured"), std::string::npos)
        << run.err;
    std::ifstream in(log);
    const std::string switched{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(switched, "off\noff\n") << "the interrupted command, then the source off";
    fs::remove(log);
    fs::remove(readings);
}

TEST(Measure, SimulatorListensOnLoopbackOnly) {
    for (const char* address : {"0.0.0.0:5025", "192.0.2.1:0", "localhost:0", "127.0.0.1:x"}) {
        SCOPED_TRACE(address);
        const support::ChildRun run =
            support::run_child(ORLAVEX_SIM_PATH, {"--setup", plan(), "--listen", address});
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("--listen"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace orlavex::testing
