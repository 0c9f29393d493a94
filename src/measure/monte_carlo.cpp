#include "measure/monte_carlo.h"

#include "measure/block_math.h"
#include "measure/coverage.h"
#include "measure/error_sources.h"
#include "measure/parallel_tasks.h"
#include "measure/random_stream.h"
#include "measure/simulated_measurement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <thread>

namespace orlavex::measure {

namespace {

// Trials per block of random streams. Fixed, so that the trials a seed
// produces do not depend on how the blocks are shared among threads.
constexpr std::size_t block_size = 4096;
// Trials drawn and evaluated together: their arrays stay in the cache.
constexpr std::size_t chunk = 256;
static_assert(block_size % chunk == 0 && chunk % (2 * LaneStreams::lanes) == 0);

// Every error factor of a chunk of trials, one array per factor.
struct ChunkFactors {
    double enr_cal[chunk], enr_meas[chunk], mismatch_in[chunk], mismatch_cal[chunk];
    double measured_gain[chunk], analyzer_nf_meas[chunk], analyzer_nf_cal[chunk];
    double jitter[4][chunk];
    double loss_in[chunk], loss_out[chunk];
    double image_ratio[chunk], enr_image[chunk];

    // The arrays a source's factor multiplies (the second may be null).
    std::pair<double*, double*> of(Target target) {
        switch (target) {
            case Target::enr_both:
                return {enr_cal, enr_meas};
            case Target::enr_cal:
                return {enr_cal, nullptr};
            case Target::enr_meas:
                return {enr_meas, nullptr};
            case Target::mismatch_in:
                return {mismatch_in, nullptr};
            case Target::mismatch_cal:
                return {mismatch_cal, nullptr};
            case Target::mismatch_out:
            case Target::analyzer_gain:
                return {measured_gain, nullptr};
            case Target::analyzer_nf_meas:
                return {analyzer_nf_meas, nullptr};
            case Target::analyzer_nf_cal:
                return {analyzer_nf_cal, nullptr};
            case Target::jitter_cal_off:
                return {jitter[0], nullptr};
            case Target::jitter_cal_on:
                return {jitter[1], nullptr};
            case Target::jitter_meas_off:
                return {jitter[2], nullptr};
            case Target::jitter_meas_on:
                return {jitter[3], nullptr};
            case Target::loss_in:
                return {loss_in, nullptr};
            case Target::loss_out:
                return {loss_out, nullptr};
            case Target::image_ratio:
                return {image_ratio, nullptr};
            case Target::enr_image:
                return {enr_image, nullptr};
        }
        return {nullptr, nullptr};
    }

    // Every factor 1: a perfect measurement.
    void reset() {
        for (double* a : {enr_cal, enr_meas, mismatch_in, mismatch_cal, measured_gain,
                          analyzer_nf_meas, analyzer_nf_cal, jitter[0], jitter[1], jitter[2],
                          jitter[3], loss_in, loss_out, image_ratio, enr_image}) {
            std::fill_n(a, chunk, 1.0);
        }
    }

    ErrorFactors at(std::size_t i) const {
        ErrorFactors e;
        e.enr_cal = enr_cal[i];
        e.enr_meas = enr_meas[i];
        e.mismatch_in = mismatch_in[i];
        e.mismatch_cal = mismatch_cal[i];
        e.measured_gain = measured_gain[i];
        e.analyzer_nf_meas = analyzer_nf_meas[i];
        e.analyzer_nf_cal = analyzer_nf_cal[i];
        for (int k = 0; k < 4; ++k)
            e.jitter[k] = jitter[k][i];
        e.loss_in = loss_in[i];
        e.loss_out = loss_out[i];
        e.image_ratio = image_ratio[i];
        e.enr_image = enr_image[i];
        return e;
    }
};

// Draws a chunk of one source's linear factors into FACTOR.
void draw_factors(const ErrorSource& source, LaneStreams& random, double* factor) {
    double draw[chunk];
    // lin(x) = exp(x ln10 / 10); jitter is in natural log already.
    const double scale =
        source.width * (in_natural_log(source.target) ? 1 : std::numbers::ln10 / 10);
    switch (source.distribution) {
        case Distribution::normal:
            random.fill_normal(draw, chunk);
            for (std::size_t i = 0; i < chunk; ++i)
                factor[i] = block_math::exp(scale * draw[i]);
            break;
        case Distribution::rectangular:
            random.fill_uniform(draw, chunk);
            for (std::size_t i = 0; i < chunk; ++i)
                factor[i] = block_math::exp(scale * (2 * draw[i] - 1));
            break;
        case Distribution::phase_uniform: {
            // Both reflection phases unknown: the phase of their product is
            // uniform over the circle. lin(m) = 1 / |1 - a e^(j phi)|^2.
            const double a = source.width;
            random.fill_cos_of_uniform_phase(draw, chunk);
            for (std::size_t i = 0; i < chunk; ++i)
                factor[i] = 1 / (1 - 2 * a * draw[i] + a * a);
            break;
        }
    }
}

// Count, mean and sum of squared deviations of the valid errors of a run
// of trials; combined in a fixed order (Chan et al.), so the result does not
// depend on the threads.
struct Moments {
    double count = 0, mean = 0, m2 = 0;

    void add(const Moments& b) {
        const double n = count + b.count;
        if (!(b.count > 0)) return;
        const double delta = b.mean - mean;
        mean += delta * (b.count / n);
        m2 += b.m2 + delta * delta * (count * b.count / n);
        count = n;
    }
};

Moments moments_of(const double* errors, std::size_t n) {
    Moments m;
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const bool valid = errors[i] == errors[i];  // false for NaN
        m.count += valid ? 1 : 0;
        sum += valid ? errors[i] : 0;
    }
    if (!(m.count > 0)) return m;
    m.mean = sum / m.count;
    for (std::size_t i = 0; i < n; ++i) {
        const double d = errors[i] == errors[i] ? errors[i] - m.mean : 0;
        m.m2 += d * d;
    }
    return m;
}

struct Run {
    const SimulatedMeasurement& measurement;
    const std::vector<ErrorSource>& sources;  // those with uncertainty
    std::uint64_t seed;
    std::size_t trials;
    std::vector<float>& errors;     // every trial, NaN when invalid
    std::vector<double>* samples;   // every trial in double, if kept
    std::vector<Moments>& moments;  // per block
};

// The errors of a chunk of trials; KNOWN, the measurement's
// known_reflections(), chosen once so that the loop has no branch.
template <bool Known>
void evaluate_chunk(const SimulatedMeasurement& measurement, const ChunkFactors& f, double* error) {
    for (std::size_t i = 0; i < chunk; ++i)
        error[i] = measurement.trial_error_db<Known>(f.at(i), block_math::log);
}

void run_block(const Run& run, std::size_t block) {
    LaneStreams random(run.seed, block * LaneStreams::lanes);
    ChunkFactors f;
    double error[chunk];
    Moments moments;
    for (std::size_t first = block * block_size;
         first < std::min((block + 1) * block_size, run.trials); first += chunk) {
        f.reset();
        double factor[chunk];
        for (const ErrorSource& source : run.sources) {
            draw_factors(source, random, factor);
            const auto [a, b] = f.of(source.target);
            for (std::size_t i = 0; i < chunk; ++i)
                a[i] *= factor[i];
            if (b != nullptr) {
                for (std::size_t i = 0; i < chunk; ++i)
                    b[i] *= factor[i];
            }
        }
        if (run.measurement.known_reflections()) {
            evaluate_chunk<true>(run.measurement, f, error);
        } else {
            evaluate_chunk<false>(run.measurement, f, error);
        }
        const std::size_t n = std::min(chunk, run.trials - first);
        moments.add(moments_of(error, n));
        std::copy_n(error, n, run.errors.begin() + static_cast<std::ptrdiff_t>(first));
        if (run.samples != nullptr)
            std::copy_n(error, n, run.samples->begin() + static_cast<std::ptrdiff_t>(first));
    }
    run.moments[block] = moments;
}

}  // namespace

MonteCarloResult monte_carlo(const MeasurementSetup& setup, const MonteCarloOptions& options) {
    const SimulatedMeasurement measurement(setup);
    std::vector<ErrorSource> sources = error_sources(setup);
    // A source without uncertainty draws nothing.
    std::erase_if(sources, [](const ErrorSource& s) { return !(s.width > 0); });

    MonteCarloResult result;
    result.trials = options.trials;
    result.seed = options.seed;
    std::vector<float> errors(options.trials);
    if (options.keep_samples) result.samples.resize(options.trials);
    const std::size_t blocks = (options.trials + block_size - 1) / block_size;
    std::vector<Moments> moments(blocks);
    const Run run{measurement,    sources, options.seed,
                  options.trials, errors,  options.keep_samples ? &result.samples : nullptr,
                  moments};
    unsigned threads = options.threads ? options.threads : std::thread::hardware_concurrency();
    threads = static_cast<unsigned>(
        std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(blocks, 1)));
    MonteCarloProgress* const progress = options.progress;
    const auto worker = [&](unsigned index) {
        for (std::size_t block = index; block < blocks; block += threads) {
            if (progress != nullptr && progress->cancel) return;
            run_block(run, block);
            if (progress != nullptr) {
                progress->done += std::min(block_size, options.trials - block * block_size);
            }
        }
    };
    run_tasks(threads, worker);
    if (progress != nullptr && progress->cancel) throw MonteCarloCancelled();

    Moments all;
    for (const Moments& m : moments)
        all.add(m);
    std::erase_if(errors, [](float e) { return e != e; });
    result.invalid = options.trials - errors.size();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    result.mean_db = all.count >= 2 ? all.mean : nan;
    result.std_db = all.count >= 2 ? std::sqrt(all.m2 / (all.count - 1)) : nan;
    const Intervals95 intervals = intervals_95(errors);
    result.interval_lo_db = intervals.symmetric_lo;
    result.interval_hi_db = intervals.symmetric_hi;
    result.shortest_lo_db = intervals.shortest_lo;
    result.shortest_hi_db = intervals.shortest_hi;
    return result;
}

}  // namespace orlavex::measure
