// Monte Carlo simulation of the measurement: every error source drawn from
// its distribution (normal; rectangular for the analyzer's datasheet limits
// when asked; mismatch from a uniform phase), the DUT noise-figure error of
// each simulated measurement collected. Trials are cut into fixed blocks,
// each with its own random streams seeded from (seed, block index), and the
// threads share out the blocks: a seed gives the same result on any number
// of threads, and a trial the same numbers whatever the number of trials.
// Within a block the trials are drawn and evaluated a chunk at a time, one
// array per error factor, in loops the compiler vectorises.
//
// Memory: 4 bytes per trial (the errors as float, for the coverage
// intervals) and as much again while they are sorted; kept samples add 8
// bytes per trial. 100 million trials take about 800 MB at the peak.
#pragma once

#include "measure/setup.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace orlavex::measure {

inline constexpr std::uint64_t default_seed = 0x4F524C5645580001;  // "ORLVEX", 1

// How far a Monte Carlo running on other threads has come, and a way to
// stop it: a front-end polls `done` for its progress and sets `cancel`.
struct MonteCarloProgress {
    std::atomic<std::size_t> done{0};  // trials evaluated so far
    std::atomic<bool> cancel{false};   // stops after the blocks under way
};

// A Monte Carlo stopped through its MonteCarloProgress.
class MonteCarloCancelled : public std::runtime_error {
  public:
    MonteCarloCancelled() : std::runtime_error("the Monte Carlo was cancelled") {}
};

struct MonteCarloOptions {
    std::size_t trials = 100000;
    std::uint64_t seed = default_seed;
    unsigned threads = 0;  // 0: std::thread::hardware_concurrency
    bool keep_samples = false;
    // Counts the trials into it; throws MonteCarloCancelled once its
    // `cancel` is set. Not owned.
    MonteCarloProgress* progress = nullptr;
};

// Statistics are over the valid trials; without a correction the mean holds
// the classic offset. Fewer than two valid trials give NaN statistics. Mean
// and standard deviation are exact sums of the trials in double; the
// interval ends are order statistics of the trials rounded to float (to
// about 1e-7 of their size).
struct MonteCarloResult {
    std::size_t trials = 0;
    std::uint64_t seed = 0;
    double mean_db = 0, std_db = 0;                 // bias and standard deviation of the error
    double interval_lo_db = 0, interval_hi_db = 0;  // 2.5 % and 97.5 % quantiles
    double shortest_lo_db = 0, shortest_hi_db = 0;  // shortest 95 % coverage interval
    std::size_t invalid = 0;                        // trials without a valid result
    std::vector<double> samples;                    // errors in trial order (NaN: invalid), if kept
};

MonteCarloResult monte_carlo(const MeasurementSetup& setup, const MonteCarloOptions& options = {});

}  // namespace orlavex::measure
