#include "measure/monte_carlo.h"

#include "measure/coverage.h"
#include "measure/error_sources.h"
#include "measure/random_stream.h"
#include "measure/simulated_measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <thread>

namespace orlavex::measure {

namespace {

// Trials per random stream. Fixed, so that the trials a seed produces do not
// depend on how the blocks are shared among threads.
constexpr std::size_t block_size = 4096;

// The linear factor of one drawn value of SOURCE.
double draw_factor(const ErrorSource& source, RandomStream& random) {
    constexpr double db_to_natural = std::numbers::ln10 / 10;  // lin(x) = exp(x ln10 / 10)
    const double to_natural = in_natural_log(source.target) ? 1 : db_to_natural;
    switch (source.distribution) {
        case Distribution::normal:
            return std::exp(to_natural * source.width * random.normal());
        case Distribution::rectangular:
            return std::exp(to_natural * source.width * (2 * random.uniform() - 1));
        case Distribution::phase_uniform: {
            // Both reflection phases unknown: the phase of their product is
            // uniform over the circle. lin(m) = 1 / |1 - a e^(j phi)|^2.
            const double a = source.width;
            const double phi = 2 * std::numbers::pi * random.uniform();
            return 1 / (1 - 2 * a * std::cos(phi) + a * a);
        }
    }
    return 1;
}

void run_block(const SimulatedMeasurement& measurement, const std::vector<ErrorSource>& sources,
               std::uint64_t seed, std::size_t block, std::vector<double>& errors) {
    RandomStream random(seed, block);
    const std::size_t first = block * block_size;
    const std::size_t end = std::min(first + block_size, errors.size());
    for (std::size_t trial = first; trial < end; ++trial) {
        ErrorFactors factors;
        for (const ErrorSource& source : sources)
            apply_factor(factors, source.target, draw_factor(source, random));
        errors[trial] = measurement.error_db(factors);
    }
}

}  // namespace

MonteCarloResult monte_carlo(const MeasurementSetup& setup, const MonteCarloOptions& options) {
    const SimulatedMeasurement measurement(setup);
    std::vector<ErrorSource> sources = error_sources(setup);
    // A source without uncertainty draws nothing.
    std::erase_if(sources, [](const ErrorSource& s) { return !(s.width > 0); });

    std::vector<double> errors(options.trials);
    const std::size_t blocks = (options.trials + block_size - 1) / block_size;
    unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
    threads = static_cast<unsigned>(
        std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(blocks, 1)));
    const auto worker = [&](unsigned index) {
        for (std::size_t block = index; block < blocks; block += threads)
            run_block(measurement, sources, options.seed, block, errors);
    };
    {
        std::vector<std::jthread> pool;
        for (unsigned t = 1; t < threads; ++t)
            pool.emplace_back(worker, t);
        worker(0);
    }

    MonteCarloResult result;
    result.trials = options.trials;
    result.seed = options.seed;
    std::vector<double> valid;
    valid.reserve(errors.size());
    for (double e : errors) {
        if (std::isfinite(e)) valid.push_back(e);
    }
    result.invalid = errors.size() - valid.size();
    const Coverage c = coverage_95(valid);
    result.mean_db = c.mean;
    result.std_db = c.std_dev;
    result.interval_lo_db = c.symmetric_lo;
    result.interval_hi_db = c.symmetric_hi;
    result.shortest_lo_db = c.shortest_lo;
    result.shortest_hi_db = c.shortest_hi;
    if (options.keep_samples) result.samples = std::move(errors);
    return result;
}

}  // namespace orlavex::measure
