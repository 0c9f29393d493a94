// The readers per byte on files of about a megabyte, each against a bare
// loop over the same bytes in the same iteration: lines found by memchr,
// fields split at blanks, every field given to std::from_chars, nothing
// checked and nothing kept. The counters are CPU nanoseconds per byte of
// both and their ratio; run with --benchmark_repetitions=9 for
// min/median/max. Instructions per byte: orlavex_read_data_files.
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include "large_data_files.h"
#include "spread.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

namespace orlavex::datafiles {
namespace {

constexpr std::size_t file_bytes = 1024 * 1024;

double cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// The bare loop: lines by memchr, fields by blanks, each number by from_chars.
double bare_sum(std::string_view text) {
    double sum = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const auto* found = static_cast<const char*>(std::memchr(at, '\n', end - at));
        const char* const line_end = found == nullptr ? end : found;
        while (at < line_end) {
            while (at < line_end && (*at == ' ' || *at == '\t'))
                ++at;
            const char* field = at;
            while (at < line_end && *at != ' ' && *at != '\t')
                ++at;
            double value = 0;
            if (std::from_chars(field, at, value).ec == std::errc()) sum += value;
        }
        at = line_end + 1;
    }
    return sum;
}

template <typename Read>
void against_bare_loop(benchmark::State& st, const std::string& text, Read read) {
    double reader = 0, bare = 0;
    for (auto _ : st) {
        const double start = cpu_seconds();
        read(text);
        const double middle = cpu_seconds();
        benchmark::DoNotOptimize(bare_sum(text));
        bare += cpu_seconds() - middle;
        reader += middle - start;
    }
    const double bytes = static_cast<double>(text.size()) * static_cast<double>(st.iterations());
    st.counters["reader_ns_per_byte"] = 1e9 * reader / bytes;
    st.counters["bare_loop_ns_per_byte"] = 1e9 * bare / bytes;
    st.counters["ratio_to_bare_loop"] = reader / bare;
    st.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

void BM_EnrReaderOverBareLoop_1MB(benchmark::State& st) {
    const std::string text = bench::large_enr_text(file_bytes);
    against_bare_loop(st, text, [](const std::string& t) {
        benchmark::DoNotOptimize(parse_enr(t, "large.enr").records().data());
    });
}
BENCHMARK(BM_EnrReaderOverBareLoop_1MB)->Unit(benchmark::kMillisecond)->Apply(bench::with_spread);

void BM_TouchstoneReaderOverBareLoop_1MB(benchmark::State& st) {
    const std::string text = bench::large_s2p_text(file_bytes);
    against_bare_loop(st, text, [](const std::string& t) {
        benchmark::DoNotOptimize(parse_touchstone(t, "large.s2p", 2).records().data());
    });
}
BENCHMARK(BM_TouchstoneReaderOverBareLoop_1MB)
    ->Unit(benchmark::kMillisecond)
    ->Apply(bench::with_spread);

}  // namespace
}  // namespace orlavex::datafiles
