// What the process benchmarks measure of a child: its wall time and its CPU
// time (user plus system, its own children included), each iteration one
// run of the program. The benchmark's own CPU column shows only the
// parent's waiting; the child's costs are the counters child_cpu_ms and
// child_wall_ms, per run, and child_peak_rss_mib, the largest resident set
// of its runs.
#pragma once

#include "child_process.h"
#include "spread.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orlavex::bench {

struct ProcessCost {
    double cpu_ms = 0;
    double wall_ms = 0;
    double peak_rss_mib = 0;  // the largest of the runs
};

// One run of PROGRAM with ARGS, its outputs discarded, its cost added to
// TOTAL; false (and the benchmark skipped with a reason) if it failed.
inline bool run_counted(benchmark::State& st, const std::string& program,
                        const std::vector<std::string>& args, ProcessCost& total) {
    const support::ChildRun run =
        support::run_child(program, args, {.input = {}, .keep_output = false});
    if (!run.started || run.status != 0) {
        st.SkipWithError((program + (run.started ? " failed" : " cannot start")).c_str());
        return false;
    }
    total.cpu_ms += run.cpu_seconds * 1e3;
    total.wall_ms += run.wall_seconds * 1e3;
    total.peak_rss_mib = std::max(total.peak_rss_mib, run.peak_rss_mib);
    return true;
}

inline void report_per_run(benchmark::State& st, const ProcessCost& total,
                           const std::string& prefix = "child") {
    st.counters[prefix + "_cpu_ms"] =
        benchmark::Counter(total.cpu_ms, benchmark::Counter::kAvgIterations);
    st.counters[prefix + "_wall_ms"] =
        benchmark::Counter(total.wall_ms, benchmark::Counter::kAvgIterations);
    st.counters[prefix + "_peak_rss_mib"] = total.peak_rss_mib;
}

inline void run_process(benchmark::State& st, const std::string& program,
                        const std::vector<std::string>& args) {
    ProcessCost total;
    for (auto _ : st)
        if (!run_counted(st, program, args, total)) return;
    report_per_run(st, total);
}

// Each iteration runs the program with ARGS and then with BASELINE_ARGS;
// the counter cpu_ratio is the first's child CPU time over the second's
// in this repetition, so that the machine's load weighs on both alike.
// BASELINE_PROGRAM, where given, runs the baseline (another build of the
// program, say).
inline void run_process_ratio(benchmark::State& st, const std::string& program,
                              const std::vector<std::string>& args,
                              const std::vector<std::string>& baseline_args,
                              const std::string& baseline_program = {}) {
    const std::string& base = baseline_program.empty() ? program : baseline_program;
    ProcessCost measured, baseline;
    for (auto _ : st)
        if (!run_counted(st, program, args, measured) ||
            !run_counted(st, base, baseline_args, baseline))
            return;
    report_per_run(st, measured);
    report_per_run(st, baseline, "baseline");
    st.counters["cpu_ratio"] = measured.cpu_ms / std::max(baseline.cpu_ms, 1e-9);
    st.counters["wall_ratio"] = measured.wall_ms / std::max(baseline.wall_ms, 1e-9);
}

}  // namespace orlavex::bench
