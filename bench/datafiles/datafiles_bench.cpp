// Reading the example files and looking them up across a 1001-point sweep,
// the share of a sweep's time budget the data files take. The baseline is
// the same 1001 lookups done by hand on a bare array of frequencies.
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace orlavex::datafiles {
namespace {

constexpr int sweep_points = 1001;

std::string example_text(const char* file_name) {
    std::ifstream in(std::filesystem::path(ORLAVEX_EXAMPLES_DIR) / file_name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

double sweep_freq(int i) {
    return 1e9 + 17e9 * i / (sweep_points - 1);
}

void BM_ParseEnr_Example(benchmark::State& st) {
    const std::string text = example_text("noise_source.enr");
    for (auto _ : st) {
        const EnrTable table = parse_enr(text, "noise_source.enr");
        benchmark::DoNotOptimize(table.records().data());
    }
}
BENCHMARK(BM_ParseEnr_Example);

void BM_ParseTouchstone_Example(benchmark::State& st) {
    const std::string text = example_text("lna_1-18ghz.s2p");
    for (auto _ : st) {
        const Touchstone dut = parse_touchstone(text, "lna_1-18ghz.s2p", 2);
        benchmark::DoNotOptimize(dut.records().data());
    }
}
BENCHMARK(BM_ParseTouchstone_Example);

void BM_Baseline_SweepOfBareLookups(benchmark::State& st) {
    const EnrTable table = parse_enr(example_text("noise_source.enr"), "noise_source.enr");
    std::vector<double> freqs, enrs;
    for (const auto& record : table.records()) {
        freqs.push_back(record.freq_hz);
        enrs.push_back(record.enr_db);
    }
    for (auto _ : st) {
        double sum = 0;
        for (int i = 0; i < sweep_points; ++i) {
            const double f = sweep_freq(i);
            const auto k = static_cast<std::size_t>(
                std::upper_bound(freqs.begin(), freqs.end() - 1, f) - freqs.begin());
            const double w = (f - freqs[k - 1]) / (freqs[k] - freqs[k - 1]);
            sum += enrs[k - 1] + w * (enrs[k] - enrs[k - 1]);
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Baseline_SweepOfBareLookups);

void BM_EnrSweep_1001Points(benchmark::State& st) {
    const EnrTable table = parse_enr(example_text("noise_source.enr"), "noise_source.enr");
    for (auto _ : st) {
        double sum = 0;
        for (int i = 0; i < sweep_points; ++i) {
            const EnrPoint point = table.at(sweep_freq(i));
            sum += point.enr_db + *point.enr_unc_db + point.reflection->on_mag;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_EnrSweep_1001Points);

void BM_TouchstoneSweep_1001Points(benchmark::State& st) {
    const Touchstone dut = parse_touchstone(example_text("lna_1-18ghz.s2p"), "lna.s2p", 2);
    for (auto _ : st) {
        double sum = 0;
        for (int i = 0; i < sweep_points; ++i) {
            const DutPoint point = dut.at(sweep_freq(i));
            sum += *point.gain + point.input_match + *point.output_match;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TouchstoneSweep_1001Points);

void BM_EnrSweepWithNotes_1001Points(benchmark::State& st) {
    const EnrTable table = parse_enr(example_text("noise_source.enr"), "noise_source.enr");
    for (auto _ : st) {
        std::size_t length = 0;
        for (int i = 0; i < sweep_points; ++i)
            length += table.at(sweep_freq(i)).applied.note().size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_EnrSweepWithNotes_1001Points);

}  // namespace
}  // namespace orlavex::datafiles
