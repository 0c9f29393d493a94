// Whole orlavex-cli processes for sweeps: a 1001-point frequency sweep as
// CSV, the same with --plot into a PNG and an SVG (orlavex-cli runs
// orlavex-plot), against starting the program at all (--version) in the
// same run. The sweep's own speed is measured in-process by the planning
// benchmarks.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs orlavex-cli with ARGS per iteration, its output into /dev/null.
void run_process(benchmark::State& st, const std::vector<std::string>& args) {
    std::vector<std::string> owned = args;
    std::vector<char*> argv{const_cast<char*>(ORLAVEX_CLI_PATH)};
    for (std::string& a : owned)
        argv.push_back(a.data());
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

void BM_ProcessSweepFreq1001Csv(benchmark::State& st) {
    run_process(st, sweep_1001());
}
BENCHMARK(BM_ProcessSweepFreq1001Csv)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ProcessSweepFreq1001PlotPng(benchmark::State& st) {
    std::vector<std::string> args = sweep_1001();
    const std::string file = plot_file(".png");
    args.insert(args.end(), {"--plot", file});
    run_process(st, args);
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotPng)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ProcessSweepFreq1001PlotSvg(benchmark::State& st) {
    std::vector<std::string> args = sweep_1001();
    const std::string file = plot_file(".svg");
    args.insert(args.end(), {"--plot", file});
    run_process(st, args);
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessSweepFreq1001PlotSvg)->Unit(benchmark::kMillisecond)->Iterations(10);

// Baseline: starting the program at all.
void BM_ProcessVersion(benchmark::State& st) {
    run_process(st, {"--version"});
}
BENCHMARK(BM_ProcessVersion)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
