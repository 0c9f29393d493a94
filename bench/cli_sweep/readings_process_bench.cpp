// Whole orlavex-cli processes evaluating a band of readings: a 1001-frequency
// readings file (single readings, and ten repeated readings per frequency)
// against a 1001-point frequency sweep of the same set-up in the same run.
// The cpu_ratio counter is the readings' child CPU time over the sweep's
// within one repetition (BM_ProcessReadings1001BeforeOverSweep: an earlier
// build's readings, for before and after). Run with --benchmark_repetitions=9 for
// min/median/max, and note the load (/proc/loadavg) beside the figures.
#include "process_bench.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orlavex::bench {
namespace {

const std::string cli = ORLAVEX_CLI_PATH;

std::vector<std::string> sweep_1001() {
    return {"sweep",    "--over", "freq",           "--from", "1",        "--to", "18",
            "--points", "1001",   "--noise-source", "NS346C", "--format", "csv"};
}

// A file of 1001 frequencies from 1 to 18 GHz, each read REPEATS times.
std::string readings_file(int repeats) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("orlavex-readings-bench-" + std::to_string(::getpid()) + "-" +
                               std::to_string(repeats) + ".csv"))
                                 .string();
    std::ofstream out(path);
    out << "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n";
    for (int i = 0; i <= 1000; ++i) {
        for (int r = 0; r < repeats; ++r) {
            const double wobble = 0.01 * std::sin(i + 7.0 * r);
            out << 1 + 0.017 * i << ',' << -102.5 + wobble << ',' << -97.4 - wobble << ','
                << -92.7 + wobble << ',' << -81.6 - wobble << '\n';
        }
    }
    return path;
}

std::vector<std::string> evaluate(const std::string& path) {
    return {"evaluate", "--readings", path, "--noise-source", "NS346C", "--format", "csv"};
}

void BM_ProcessReadings1001OverSweep(benchmark::State& st) {
    const std::string path = readings_file(1);
    run_process_ratio(st, cli, evaluate(path), sweep_1001());
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProcessReadings1001OverSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

void BM_ProcessReadings1001x10OverSweep(benchmark::State& st) {
    const std::string path = readings_file(10);
    run_process_ratio(st, cli, evaluate(path), sweep_1001());
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProcessReadings1001x10OverSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

// An earlier build's readings (ORLAVEX_CLI_BEFORE names its orlavex-cli)
// over this build's sweep in the same run, beside the first benchmark: the
// band's evaluation before and after, under the same load.
void BM_ProcessReadings1001BeforeOverSweep(benchmark::State& st) {
    const char* before = std::getenv("ORLAVEX_CLI_BEFORE");
    if (before == nullptr) {
        st.SkipWithError("ORLAVEX_CLI_BEFORE names no earlier orlavex-cli");
        return;
    }
    const std::string path = readings_file(1);
    run_process_ratio(st, before, evaluate(path), sweep_1001(), cli);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProcessReadings1001BeforeOverSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

// The ENR table's ENR and uncertainty at every frequency, beside a sweep
// that takes the same table.
void BM_ProcessReadings1001WithEnrTableOverSweep(benchmark::State& st) {
    const std::string path = readings_file(1);
    const std::string table = std::string(ORLAVEX_EXAMPLES_DIR) + "/noise_source.enr";
    std::vector<std::string> readings = evaluate(path), sweep = sweep_1001();
    for (std::vector<std::string>* args : {&readings, &sweep})
        args->insert(args->end(), {"--enr-table", table});
    run_process_ratio(st, cli, readings, sweep);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProcessReadings1001WithEnrTableOverSweep)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

// The shipped band plan, whose analyzer is a catalogue model with its
// preamplifier on, an ENR table and the DUT's .s2p: its readings over its
// own 1001-point sweep. Argument 1 runs ORLAVEX_CLI_BEFORE's readings
// instead, over this build's sweep.
void BM_ProcessReadings1001ShippedPlanOverSweep(benchmark::State& st) {
    const char* before = std::getenv("ORLAVEX_CLI_BEFORE");
    if (st.range(0) == 1 && before == nullptr) {
        st.SkipWithError("ORLAVEX_CLI_BEFORE names no earlier orlavex-cli");
        return;
    }
    const std::string plan = std::string(ORLAVEX_EXAMPLES_DIR) + "/lna_band.orlavex.json";
    const std::string path = readings_file(1);
    const std::vector<std::string> readings = {"evaluate", "--setup",  plan, "--readings",
                                               path,       "--format", "csv"},
                                   sweep = {"sweep", "--setup",  plan, "--points",
                                            "1001",  "--format", "csv"};
    run_process_ratio(st, st.range(0) == 1 ? before : cli, readings, sweep, cli);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ProcessReadings1001ShippedPlanOverSweep)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

}  // namespace
}  // namespace orlavex::bench

BENCHMARK_MAIN();
