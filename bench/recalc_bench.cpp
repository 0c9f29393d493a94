// The recalculation, as every committed keystroke runs it (Do_Calc, with all
// its texts), beside the recalculation a sweep point needs (the figures and
// the measurement set-up, no texts), on the same set-ups in one run.
#include "engine/controls.h"
#include "engine/field_values.h"
#include "engine/measurement_setup.h"
#include "engine/recalc.h"
#include "window/handlers.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace orlavex {
namespace {

using enum Ctl;

Calculator started() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    return calc;
}

double minimum(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}
double maximum(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

// Run with --benchmark_repetitions=9: min, median and max of the repetitions.
void with_spread(benchmark::internal::Benchmark* b) {
    b->ComputeStatistics("min", minimum)->ComputeStatistics("max", maximum);
}

// A catalogue analyzer and noise source, as a band plan starts from.
Calculator catalogue_setup() {
    Calculator calc = started();
    click_control(calc, menu_item_captioned(calc, mnuSAtop, "Aravel-3"));
    click_control(calc, menu_item_captioned(calc, mnuNStop, "NS346B"));
    return calc;
}

Calculator manual_setup() {
    Calculator calc = started();
    // Manual entry reads the four levels instead of predicting them.
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    return calc;
}

// 101 frequencies across 1 to 18 GHz.
std::vector<double> band() {
    std::vector<double> f(101);
    for (std::size_t i = 0; i < f.size(); ++i)
        f[i] = 1 + 17.0 * static_cast<double>(i) / 100.0;
    return f;
}

// One sweep point: the frequency entered, the window recalculated, the
// figures and the set-up taken. Kept out of line so that callgrind can
// count one point (--toggle-collect).
[[gnu::noinline]] measure::MeasurementSetup full_point(Calculator& calc, double f_ghz) {
    set_field_value(calc, txtFreq, f_ghz);
    Do_Calc(calc);
    return measurement_setup(calc);
}

[[gnu::noinline]] measure::MeasurementSetup figures_only_point(Calculator& calc, double f_ghz) {
    set_field_value(calc, txtFreq, f_ghz);
    recalculate_figures(calc);
    return measurement_setup(calc);
}

template <measure::MeasurementSetup (*point)(Calculator&, double)>
void BM_SweepPoint(benchmark::State& st) {
    Calculator calc = catalogue_setup();
    const std::vector<double> f = band();
    std::size_t i = 0;
    for (auto _ : st) {
        benchmark::DoNotOptimize(point(calc, f[i]));
        benchmark::DoNotOptimize(calc.figures.rss_db);
        i = (i + 1) % f.size();
    }
}
BENCHMARK(BM_SweepPoint<full_point>)->Name("BM_SweepPoint_DoCalc")->Apply(with_spread);
BENCHMARK(BM_SweepPoint<figures_only_point>)->Name("BM_SweepPoint_FiguresOnly")->Apply(with_spread);

template <void (*recalc)(Calculator&)>
void BM_Prediction(benchmark::State& st) {
    Calculator calc = started();
    for (auto _ : st) {
        recalc(calc);
        benchmark::DoNotOptimize(calc.figures.rss_db);
    }
}
BENCHMARK(BM_Prediction<Do_Calc>)->Name("BM_DoCalc_Prediction")->Apply(with_spread);
BENCHMARK(BM_Prediction<recalculate_figures>)
    ->Name("BM_FiguresOnly_Prediction")
    ->Apply(with_spread);

template <void (*recalc)(Calculator&)>
void BM_Manual(benchmark::State& st) {
    Calculator calc = manual_setup();
    for (auto _ : st) {
        recalc(calc);
        benchmark::DoNotOptimize(calc.figures.rss_db);
    }
}
BENCHMARK(BM_Manual<Do_Calc>)->Name("BM_DoCalc_Manual")->Apply(with_spread);
BENCHMARK(BM_Manual<recalculate_figures>)->Name("BM_FiguresOnly_Manual")->Apply(with_spread);

void BM_FormLoad(benchmark::State& st) {
    for (auto _ : st) {
        Calculator calc = started();
        benchmark::DoNotOptimize(calc.form[Ctl::lblNF_unc].text.data());
    }
}
BENCHMARK(BM_FormLoad);

}  // namespace
}  // namespace orlavex
