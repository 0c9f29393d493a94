// The extended model for one set-up: the GUM budget and the Monte Carlo, on
// the calculator's start-up set-up with jitter on, beside a tight scalar
// loop of the Monte Carlo's own arithmetic.
#include "engine/measurement_setup.h"
#include "measure/block_math.h"
#include "measure/error_sources.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "measure/random_stream.h"
#include "measure/simulated_measurement.h"
#include "window/handlers.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace orlavex {
namespace {

measure::MeasurementSetup startup_setup() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    measure::MeasurementSetup s = measurement_setup(calc);
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
    return s;
}

constexpr std::size_t trials = 100000;

void BM_GumBudget(benchmark::State& st) {
    const measure::MeasurementSetup s = startup_setup();
    for (auto _ : st) {
        const measure::Budget b = measure::gum_budget(s);
        benchmark::DoNotOptimize(b.u_c_db);
    }
}
BENCHMARK(BM_GumBudget);

// 100 000 trials on the given number of threads, wall-clock time.
void BM_MonteCarlo100k(benchmark::State& st) {
    const measure::MeasurementSetup s = startup_setup();
    const measure::MonteCarloOptions options{.trials = trials,
                                             .threads = static_cast<unsigned>(st.range(0))};
    for (auto _ : st) {
        const measure::MonteCarloResult r = measure::monte_carlo(s, options);
        benchmark::DoNotOptimize(r.std_db);
    }
}
BENCHMARK(BM_MonteCarlo100k)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same start-up set-up measured through a DSB mixer: both input bands,
// the image's two error sources drawn too. Against BM_MonteCarlo100k/1 in
// the same run: what the image costs a trial.
void BM_MonteCarlo100kImage(benchmark::State& st) {
    measure::MeasurementSetup s = startup_setup();
    s.freq_converting = true;
    s.image = {true, measure::SidebandMode::dsb, 0, 0.5, {}, {}, {}};
    const measure::MonteCarloOptions options{.trials = trials, .threads = 1};
    for (auto _ : st) {
        const measure::MonteCarloResult r = measure::monte_carlo(s, options);
        benchmark::DoNotOptimize(r.std_db);
    }
}
BENCHMARK(BM_MonteCarlo100kImage)->UseRealTime()->Unit(benchmark::kMillisecond);

// The start-up set-up with its reflections at the DUT input known: the
// source's on and off states, a DUT with noise parameters (its GT and noise
// at both states worked out in every trial), and the input mismatch no
// longer drawn. Against BM_MonteCarlo100k/1 in the same run.
void BM_MonteCarlo100kKnownReflections(benchmark::State& st) {
    measure::MeasurementSetup s = startup_setup();
    s.reflections = measure::KnownReflections{
        .source_on = std::polar(0.05, 0.5),
        .source_off = std::polar(0.12, -1.4),
        .source_on_cal = std::nullopt,
        .s11 = std::polar(0.5, -1.0),
        .s21 = std::sqrt(measure::lin(s.dut_gain_db)),
        .noise = measure::noise_parameters_from_db(0.4, std::polar(0.3, 0.7), 0.15),
        .loss_in_s21 = std::nullopt,
        .loss_in_s12 = std::nullopt};
    const measure::MonteCarloOptions options{.trials = trials, .threads = 1};
    for (auto _ : st) {
        const measure::MonteCarloResult r = measure::monte_carlo(s, options);
        benchmark::DoNotOptimize(r.std_db);
    }
}
BENCHMARK(BM_MonteCarlo100kKnownReflections)->UseRealTime()->Unit(benchmark::kMillisecond);

// The widths of the start-up set-up's sources by what they change.
struct Widths {
    double enr = 0, mismatch_in = 0, mismatch_cal = 0, mismatch_out = 0;
    double analyzer_nf_meas = 0, analyzer_nf_cal = 0, analyzer_gain = 0, jitter = 0;
};

Widths widths_of(const measure::MeasurementSetup& s) {
    using enum measure::Target;
    Widths w;
    for (const measure::ErrorSource& source : measure::error_sources(s)) {
        switch (source.target) {
            case enr_both:
                w.enr = source.width;
                break;
            case mismatch_in:
                w.mismatch_in = source.width;
                break;
            case mismatch_cal:
                w.mismatch_cal = source.width;
                break;
            case mismatch_out:
                w.mismatch_out = source.width;
                break;
            case analyzer_nf_meas:
                w.analyzer_nf_meas = source.width;
                break;
            case analyzer_nf_cal:
                w.analyzer_nf_cal = source.width;
                break;
            case analyzer_gain:
                w.analyzer_gain = source.width;
                break;
            case jitter_cal_off:
                w.jitter = source.width;
                break;
            default:
                break;
        }
    }
    return w;
}

// The baseline: the Monte Carlo's trials as one tight scalar loop, the draws
// written out one after another (the same generator, the same distributions,
// the same simulated measurement) with no per-source dispatch; one thread,
// every error kept, no statistics.
void BM_TrialLoopBaseline100k(benchmark::State& st) {
    const measure::MeasurementSetup s = startup_setup();
    const measure::SimulatedMeasurement measurement(s);
    const Widths w = widths_of(s);
    constexpr double to_natural = std::numbers::ln10 / 10;
    std::vector<double> errors(trials);
    for (auto _ : st) {
        measure::RandomStream random(measure::default_seed, 0);
        const auto normal = [&](double width) {
            return width > 0 ? measure::block_math::exp(to_natural * width * random.normal()) : 1.0;
        };
        const auto mismatch = [&](double a) {
            if (!(a > 0)) return 1.0;
            return 1 / (1 - 2 * a * measure::cos_of_uniform_phase(random.next()) + a * a);
        };
        for (double& error : errors) {
            measure::ErrorFactors f;
            f.enr_cal = f.enr_meas = normal(w.enr);
            f.mismatch_in = mismatch(w.mismatch_in);
            f.mismatch_cal = mismatch(w.mismatch_cal);
            f.measured_gain = mismatch(w.mismatch_out);
            f.analyzer_nf_meas = normal(w.analyzer_nf_meas);
            f.analyzer_nf_cal = normal(w.analyzer_nf_cal);
            f.measured_gain *= normal(w.analyzer_gain);
            for (double& j : f.jitter)
                j = w.jitter > 0 ? measure::block_math::exp(w.jitter * random.normal()) : 1.0;
            error = measurement.error_db_with(f, measure::block_math::log);
        }
        benchmark::DoNotOptimize(errors.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TrialLoopBaseline100k)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlavex
