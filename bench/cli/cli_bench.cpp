// orlavex-cli's costs: the whole `point` process with the default Monte Carlo
// (goal: 80 ms), the same process with one trial and `--version` as
// baselines of the run, and the command's parts in-process.
#include "cli/point.h"
#include "cli/run.h"
#include "cli/window_inputs.h"
#include "window/handlers.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <sstream>
#include <vector>

extern char** environ;

namespace orlavex::cli {
namespace {

// Runs orlavex-cli with ARGS per iteration, its output into /dev/null.
void run_process(benchmark::State& st, std::vector<const char*> args) {
    std::vector<char*> argv{const_cast<char*>(ORLAVEX_CLI_PATH)};
    for (const char* a : args)
        argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : st) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &files, nullptr, argv.data(), environ) != 0) {
            st.SkipWithError("cannot start orlavex-cli");
            break;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            st.SkipWithError("orlavex-cli failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&files);
}

void BM_ProcessPointDefaultMonteCarlo(benchmark::State& st) {
    run_process(st, {"point"});
}
BENCHMARK(BM_ProcessPointDefaultMonteCarlo)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ProcessPointJsonDefaultMonteCarlo(benchmark::State& st) {
    run_process(st, {"point", "--json"});
}
BENCHMARK(BM_ProcessPointJsonDefaultMonteCarlo)->Unit(benchmark::kMillisecond)->Iterations(20);

// Baseline: the same process with a single Monte Carlo trial.
void BM_ProcessPointOneTrial(benchmark::State& st) {
    run_process(st, {"point", "--trials", "1"});
}
BENCHMARK(BM_ProcessPointOneTrial)->Unit(benchmark::kMillisecond)->Iterations(20);

// Baseline: starting the program at all.
void BM_ProcessVersion(benchmark::State& st) {
    run_process(st, {"--version"});
}
BENCHMARK(BM_ProcessVersion)->Unit(benchmark::kMillisecond)->Iterations(20);

// Start-up window, the inputs carried out (a catalogue analyzer and noise
// source, four fields) and the classic figures: what the command does
// before the model.
void BM_ApplyInputs(benchmark::State& st) {
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
        Calculator calc = make_calculator();
        Form_Load(calc);
        benchmark::DoNotOptimize(apply_inputs(calc, in));
    }
}
BENCHMARK(BM_ApplyInputs)->Unit(benchmark::kMicrosecond);

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
