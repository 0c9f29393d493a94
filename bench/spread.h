// The spread over repetitions (--benchmark_repetitions=9) beside Google
// Benchmark's mean, median and standard deviation.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace orlavex::bench {

inline void with_spread(benchmark::internal::Benchmark* b) {
    b->ComputeStatistics("min", [](const std::vector<double>& v) {
         return *std::min_element(v.begin(), v.end());
     })->ComputeStatistics("max", [](const std::vector<double>& v) {
        return *std::max_element(v.begin(), v.end());
    });
}

}  // namespace orlavex::bench
