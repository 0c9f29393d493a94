// One full recalculation, as every committed keystroke runs it.
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/handlers.h"

#include <benchmark/benchmark.h>

namespace orlavex {
namespace {

void BM_DoCalc_Prediction(benchmark::State& st) {
    Calculator calc = make_calculator();
    Form_Load(calc);
    for (auto _ : st) {
        Do_Calc(calc);
        benchmark::DoNotOptimize(calc.form[Ctl::lblNF_unc].text.data());
    }
}
BENCHMARK(BM_DoCalc_Prediction);

void BM_DoCalc_Manual(benchmark::State& st) {
    Calculator calc = make_calculator();
    Form_Load(calc);
    // Manual entry reads the four levels instead of predicting them.
    calc.form[Ctl::chkUseManMeas].value = 1;
    calc.form[Ctl::lblCalcSANoise].visible = true;
    for (auto _ : st) {
        Do_Calc(calc);
        benchmark::DoNotOptimize(calc.form[Ctl::lblNF_unc].text.data());
    }
}
BENCHMARK(BM_DoCalc_Manual);

void BM_FormLoad(benchmark::State& st) {
    for (auto _ : st) {
        Calculator calc = make_calculator();
        Form_Load(calc);
        benchmark::DoNotOptimize(calc.form[Ctl::lblNF_unc].text.data());
    }
}
BENCHMARK(BM_FormLoad);

}  // namespace
}  // namespace orlavex
