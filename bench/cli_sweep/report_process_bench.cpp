// Whole orlavex-cli report processes against the plain sweep of the same
// set-up as CSV, run alternately in each repetition (cpu_ratio: the
// report's child CPU time, orlavex-plot's included, over the CSV's). A
// 1001-point band plan picks 50 rows for its table; the HTML draws both
// charts as SVG, the PDF draws them into its pages with the tables and
// text.
// Run with --benchmark_repetitions=9
// --benchmark_enable_random_interleaving=true for min/median/max.
// ORLAVEX_SWEEP_CLI names another orlavex-cli to run (another build's, with
// its orlavex-plot beside it), so that two builds compare in one run.
#include "process_bench.h"

#include <unistd.h>

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

std::vector<std::string> inputs(const std::string& command) {
    return {command,  "--over",   "freq", "--from",     "1",        "--to",
            "18",     "--points", "1001", "--analyzer", "Aravel-3", "--noise-source",
            "NS346C", "--dut-nf", "2",    "--dut-gain", "28"};
}

std::vector<std::string> csv() {
    std::vector<std::string> args = inputs("sweep");
    args.insert(args.end(), {"--format", "csv"});
    return args;
}

std::string report_file(const char* extension) {
    return (std::filesystem::temp_directory_path() /
            ("orlavex-report-bench-" + std::to_string(::getpid()) + extension))
        .string();
}

std::vector<std::string> report(const std::string& file) {
    std::vector<std::string> args = inputs("report");
    args.insert(args.end(), {"-o", file});
    return args;
}

void BM_ProcessReport1001HtmlOverCsv(benchmark::State& st) {
    const std::string file = report_file(".html");
    run_process_ratio(st, cli, report(file), csv());
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessReport1001HtmlOverCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

void BM_ProcessReport1001PdfOverCsv(benchmark::State& st) {
    const std::string file = report_file(".pdf");
    run_process_ratio(st, cli, report(file), csv());
    std::filesystem::remove(file);
}
BENCHMARK(BM_ProcessReport1001PdfOverCsv)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Apply(with_spread);

}  // namespace
}  // namespace orlavex::bench

BENCHMARK_MAIN();
