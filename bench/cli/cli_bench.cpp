// orlavex-cli's costs: the whole `point` process (child CPU and wall time) with the default Monte
// Carlo (goal: 80 ms), the same process with one trial and `--version` as baselines of the run, and
// the command's parts in-process.
#include "app/inputs/classic_apply.h"
#include "cli/point.h"
#include "cli/run.h"
#include "cli/window_inputs.h"

#include "process_bench.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace orlavex::cli {
namespace {

// The whole orlavex-cli process with ARGS per iteration, its child CPU time
// beside its wall time.
void run_process(benchmark::State& st, const std::vector<std::string>& args) {
    bench::run_process(st, ORLAVEX_CLI_PATH, args);
}

void BM_ProcessPointDefaultMonteCarlo(benchmark::State& st) {
    run_process(st, {"point"});
}
BENCHMARK(BM_ProcessPointDefaultMonteCarlo)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Apply(bench::with_spread);

void BM_ProcessPointJsonDefaultMonteCarlo(benchmark::State& st) {
    run_process(st, {"point", "--json"});
}
BENCHMARK(BM_ProcessPointJsonDefaultMonteCarlo)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Apply(bench::with_spread);

// Baseline: the same process with a single Monte Carlo trial.
void BM_ProcessPointOneTrial(benchmark::State& st) {
    run_process(st, {"point", "--trials", "1"});
}
BENCHMARK(BM_ProcessPointOneTrial)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Apply(bench::with_spread);

// Baseline: starting the program at all.
void BM_ProcessVersion(benchmark::State& st) {
    run_process(st, {"--version"});
}
BENCHMARK(BM_ProcessVersion)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Apply(bench::with_spread);

// The inputs taken as the calculator takes them (a catalogue analyzer and
// noise source, four fields) and the classic figures: what the command does
// before the model.
void BM_ResolveInputs(benchmark::State& st) {
    WindowInputs in;
    in.analyzer = "Galder-3";
    in.noise_source = "NC346C";
    for (const auto& [name, text] : {std::pair{"--dut-nf", "3.5"},
                                     {"--dut-gain", "22"},
                                     {"--freq", "5"},
                                     {"--dut-in-rl", "14"}}) {
        in.entries.push_back({find_field_option(name), text});
    }
    for (auto _ : st) {
        app::Setup setup;
        if (!to_setup(in, {}, setup).empty()) st.SkipWithError("inputs refused");
        benchmark::DoNotOptimize(app::resolve(setup, {in.strict, app::Naming::flag}));
    }
}
BENCHMARK(BM_ResolveInputs)->Unit(benchmark::kMicrosecond);

// The whole `point --json` command in-process, default Monte Carlo.
void BM_RunPointJson(benchmark::State& st) {
    const char* argv[] = {"orlavex-cli", "point", "--json"};
    for (auto _ : st) {
        std::ostringstream out;
        std::ostringstream err;
        benchmark::DoNotOptimize(run(3, argv, out, err));
    }
}
BENCHMARK(BM_RunPointJson)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlavex::cli
