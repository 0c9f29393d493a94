// The extended model for one set-up: the GUM budget and the Monte Carlo, on
// the calculator's start-up set-up with jitter on.
#include "engine/measurement_setup.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "window/handlers.h"

#include <benchmark/benchmark.h>

namespace orlavex {
namespace {

measure::MeasurementSetup startup_setup() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    measure::MeasurementSetup s = measurement_setup(calc);
    s.noise_bw_hz = 4e6;
    s.tau_s = 0.01;
    return s;
}

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
    const measure::MonteCarloOptions options{.trials = 100000,
                                             .threads = static_cast<unsigned>(st.range(0))};
    for (auto _ : st) {
        const measure::MonteCarloResult r = measure::monte_carlo(s, options);
        benchmark::DoNotOptimize(r.std_db);
    }
}
BENCHMARK(BM_MonteCarlo100k)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlavex
