// Whole orlavex-cli processes for sweeps: a 1001-point frequency sweep as
// CSV, the same with --plot into a PNG and an SVG (orlavex-cli runs
// orlavex-plot, whose CPU time counts as the child's), against starting the
// program at all (--version) in the same run, and --plot against its
// floor: the plain sweep plus a bare QPainter program (bare_plot.cpp). The
// ratio benchmarks run the plot and its baseline alternately, so that a
// repetition's ratio sees one load. Run with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true for min/median/max. The
// sweep's own speed is measured in-process by the planning benchmarks.
// ORLAVEX_SWEEP_CLI names another orlavex-cli to run (another build's, with
// its orlavex-plot beside it), so that two builds compare in one run.
#include "process_bench.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace orlavex::bench {
namespace {

std::string cli_program() {
    const char* other = std::getenv("ORLAVEX_SWEEP_CLI");
    return other != nullptr && *other != '\0' ? other : ORLAVEX_CLI_PATH;
}

const std::string cli = cli_program();

std::vector<std::string> sweep_1001() {
    return {"sweep",  "--over",   "freq", "--from",     "1",        "--to",
            "18",     "--points", "1001", "--analyzer", "Aravel-3", "--noise-source",
            "NS346C", "--format", "csv"};
}

std::string plot_file(const char* extension) {
    return (std::filesystem::temp_directory_path() /
            ("orlavex-sweep-bench-" + std::to_string(::getpid()) + extension))
        .string();
}

std::vector<std::string> sweep_1001_plot(const std::string& file) {
    std::vector<std::string> args = sweep_1001();
    args.insert(args.end(), {"--plot", file});
    return args;
}

void BM_ProcessSweepFreq1001Csv(benchmark::State& st) {
    run_process(st, cli, sweep_1001());
}
BENCHMARK(BM_ProcessSweepFreq1001Csv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Apply(with_spread);

void BM_ProcessSweepFreq1001PlotPng(benchmark::State& st) {
    const std::string file = plot_file(".png");
    run_process(st, cli, sweep_1001_plot(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotPng)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Apply(with_spread);

void BM_ProcessSweepFreq1001PlotSvg(benchmark::State& st) {
    const std::string file = plot_file(".svg");
    run_process(st, cli, sweep_1001_plot(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotSvg)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Apply(with_spread);

// The goal: a sweep with --plot at most 3 times the sweep alone.
void BM_ProcessSweepFreq1001PlotPngOverCsv(benchmark::State& st) {
    const std::string file = plot_file(".png");
    run_process_ratio(st, cli, sweep_1001_plot(file), sweep_1001());
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotPngOverCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

void BM_ProcessSweepFreq1001PlotSvgOverCsv(benchmark::State& st) {
    const std::string file = plot_file(".svg");
    run_process_ratio(st, cli, sweep_1001_plot(file), sweep_1001());
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotSvgOverCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

// The goal: a sweep with --plot at most 1.25 times its floor, the plain
// sweep and the bare plot program (bare_plot.cpp) run one after the other.
void BM_ProcessSweepFreq1001PlotPngOverFloor(benchmark::State& st) {
    const std::string file = plot_file(".png"), floor_file = plot_file("-floor.png");
    ProcessCost measured, sweep, bare;
    for (auto _ : st)
        if (!run_counted(st, cli, sweep_1001_plot(file), measured) ||
            !run_counted(st, cli, sweep_1001(), sweep) ||
            !run_counted(st, ORLAVEX_BARE_PLOT, {floor_file}, bare))
            return;
    report_per_run(st, measured);
    report_per_run(st, sweep, "sweep");
    report_per_run(st, bare, "bare_plot");
    st.counters["cpu_ratio"] = measured.cpu_ms / std::max(sweep.cpu_ms + bare.cpu_ms, 1e-9);
    std::filesystem::remove(file);
    std::filesystem::remove(floor_file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotPngOverFloor)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

// Memory that does not grow with the band: a 100 000-point sweep as CSV and
// as JSON (the goal: a peak resident set, child_peak_rss_mib, of at most
// 30 MiB), beside the 1001-point sweep's in the same counter.
std::vector<std::string> sweep_100k(const char* format) {
    std::vector<std::string> args = sweep_1001();
    *std::ranges::find(args, "1001") = "100000";
    args.back() = format;
    return args;
}

void BM_ProcessSweepFreq100kCsvMemory(benchmark::State& st) {
    run_process(st, cli, sweep_100k("csv"));
}
BENCHMARK(BM_ProcessSweepFreq100kCsvMemory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Apply(with_spread);

void BM_ProcessSweepFreq100kJsonMemory(benchmark::State& st) {
    run_process(st, cli, sweep_100k("json"));
}
BENCHMARK(BM_ProcessSweepFreq100kJsonMemory)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Apply(with_spread);

// Baseline: starting the program at all.
void BM_ProcessVersion(benchmark::State& st) {
    run_process(st, cli, {"--version"});
}
BENCHMARK(BM_ProcessVersion)->Unit(benchmark::kMillisecond)->Iterations(10)->Apply(with_spread);

}  // namespace
}  // namespace orlavex::bench

BENCHMARK_MAIN();
