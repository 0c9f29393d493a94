// Sweeps and advice across a band with catalogue instruments. Baseline in
// the same run: the bare recalculations and budgets a sweep is made of.
#include "catalogue/catalogue.h"
#include "core/field_entry.h"
#include "engine/measurement_setup.h"
#include "engine/recalc.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"
#include "planning/advice.h"
#include "planning/sweep.h"
#include "spread.h"
#include "window/set_up_actions.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace orlavex::planning {
namespace {

void must(const std::string& why) {
    if (!why.empty()) throw std::runtime_error(why);
}

// Aravel-4 with its preamp, NS346C, start-up DUT: 10 MHz to 26.5 GHz.
Sweep catalogue_sweep(std::size_t points) {
    Sweep s;
    s.base.choose_analyzer(catalogue::find_analyzer("Aravel-4"));
    s.base.choose_noise_source(catalogue::find_noise_source("NS346C"));
    s.base.tick(&core::ClassicChoices::int_preamp, true);
    s.from = 0.01;
    s.to = 26.5;
    s.points = points;
    return s;
}

// What a 1001-point sweep cannot do without: a recalculation of the window
// at every frequency and a GUM budget of its set-up.
void BM_Baseline_1001_DoCalcAndGum(benchmark::State& st) {
    const Sweep s = catalogue_sweep(1001);
    Calculator calc = started_calculator();
    must(choose_analyzer(calc, "Aravel-4"));
    must(choose_noise_source(calc, "NS346C"));
    must(set_internal_preamp(calc, true));
    const std::vector<double> values = sweep_values(s);
    for (auto _ : st) {
        double sum = 0;
        for (double f : values) {
            calc.form[Ctl::txtFreq].text = core::field_text(f, 6);
            Do_Calc(calc);
            sum += measure::gum_budget(measurement_setup(calc)).U_db;
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_Baseline_1001_DoCalcAndGum)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument: threads over points.
void BM_Sweep_1001_ClassicAndGum(benchmark::State& st) {
    Sweep s = catalogue_sweep(1001);
    s.threads = static_cast<unsigned>(st.range(0));
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_ClassicAndGum)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A mixer with a 1 GHz IF from 2.5 to 18 GHz: argument 0 without an image
// response (the baseline), 1 as a DSB mixer whose image band the model
// counts (its ratio known to 1 dB).
void BM_Sweep_1001_ConvertingDut_ImageBand(benchmark::State& st) {
    Sweep s;
    s.base.choose_analyzer(catalogue::find_analyzer("Aravel-4"));
    s.base.choose_noise_source(catalogue::find_noise_source("NS346C"));
    s.base.tick(&core::ClassicChoices::freq_conv, true);
    s.conversion = {ConversionMode::fixed_if, 1.0, 0};
    s.from = 2.5;
    s.to = 18;
    s.points = 1001;
    s.threads = 1;
    if (st.range(0) == 1) {
        s.model.sideband = measure::SidebandMode::dsb;
        s.model.image_ratio_unc_db = 1;
    }
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_ConvertingDut_ImageBand)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The bench's baseline: Aravel-4 (no preamp) and NS346C from 10 MHz to
// 18 GHz, the classic figures and a budget at every point.
Sweep bench_sweep() {
    Sweep s;
    s.base.choose_analyzer(catalogue::find_analyzer("Aravel-4"));
    s.base.choose_noise_source(catalogue::find_noise_source("NS346C"));
    s.from = 0.01;
    s.to = 18;
    s.points = 1001;
    return s;
}

void BM_Sweep_1001_BenchBaseline_NoLosses(benchmark::State& st) {
    Sweep s = bench_sweep();
    s.threads = static_cast<unsigned>(st.range(0));
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_BenchBaseline_NoLosses)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same sweep with the cables before and after the DUT from their
// Touchstone files: each loss interpolated at every point, the classic
// figures of the equivalent set-up computed by a second recalculation, two
// more budget lines.
void BM_Sweep_1001_LossesFromFiles(benchmark::State& st) {
    Sweep s = bench_sweep();
    s.threads = static_cast<unsigned>(st.range(0));
    s.bench.loss_in.sparameters =
        datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/input_cable.s2p");
    s.bench.loss_in.unc_db = 0.1;
    s.bench.loss_out.sparameters =
        datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/output_cable.s2p");
    s.bench.loss_out.unc_db = 0.1;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_LossesFromFiles)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The sweep that orlavex.sweep is measured on against a numpy script: the
// calibration ENR from a table and the DUT from its .s2p, so that every
// point interpolates both and says which records applied.
Sweep table_and_s2p_sweep() {
    Sweep s = catalogue_sweep(1001);
    s.to = 18;
    s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    s.dut_sparameters = datafiles::read_touchstone(ORLAVEX_EXAMPLES_DIR "/lna_1-18ghz.s2p");
    return s;
}

void BM_Sweep_1001_EnrTableAndS2p(benchmark::State& st) {
    Sweep s = table_and_s2p_sweep();
    s.threads = static_cast<unsigned>(st.range(0));
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_EnrTableAndS2p)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same table sweep with the reflections the files know taken into the
// model (argument 1) or not (0): the source's on and off reflections, the
// DUT's S11 and S21 with their phases and its noise parameters looked up at
// every point, the source-match bias worked out beside the budget.
void BM_Sweep_1001_TableAndS2p_KnownReflections(benchmark::State& st) {
    Sweep s = table_and_s2p_sweep();
    s.model.reflections =
        st.range(0) != 0 ? measure::ReflectionModel::known : measure::ReflectionModel::random;
    s.threads = 1;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Sweep_1001_TableAndS2p_KnownReflections)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(bench::with_spread);

// The same with 2000 Monte Carlo trials at every point, the points shared
// out over two threads: the trial loop with the reflections (1) or the
// random input mismatch (0).
void BM_Sweep_1001_MonteCarlo2k_TableAndS2p_KnownReflections(benchmark::State& st) {
    Sweep s = table_and_s2p_sweep();
    s.model.reflections =
        st.range(0) != 0 ? measure::ReflectionModel::known : measure::ReflectionModel::random;
    s.monte_carlo = {true, 2000, measure::default_seed};
    s.threads = 2;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().monte_carlo->interval_hi_db);
    }
}
BENCHMARK(BM_Sweep_1001_MonteCarlo2k_TableAndS2p_KnownReflections)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Apply(bench::with_spread);

// 20 000 trials at every point, the points shared out over two threads.
// Neighbours in one catalogue band have the same set-up and share the result.
void BM_Sweep_1001_MonteCarlo20k_ThreadsOverPoints(benchmark::State& st) {
    Sweep s = catalogue_sweep(1001);
    s.monte_carlo = {true, 20000, measure::default_seed};
    s.threads = 2;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().monte_carlo->interval_hi_db);
    }
}
BENCHMARK(BM_Sweep_1001_MonteCarlo20k_ThreadsOverPoints)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The same with the example calibration table: ENR, its uncertainty and
// the source match change at every point, so no two neighbours share a
// set-up and every point runs its own Monte Carlo (10 MHz to 18 GHz).
void BM_Sweep_1001_MonteCarlo20k_EnrTableEveryPointDiffers(benchmark::State& st) {
    Sweep s = catalogue_sweep(1001);
    s.to = 18;
    s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    s.monte_carlo = {true, 20000, measure::default_seed};
    s.threads = 2;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        benchmark::DoNotOptimize(r.points.back().monte_carlo->interval_hi_db);
    }
}
BENCHMARK(BM_Sweep_1001_MonteCarlo20k_EnrTableEveryPointDiffers)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// The alternative to threads over points, on the same table sweep: points
// one after another, each Monte Carlo on two threads.
void BM_Sweep_1001_MonteCarlo20k_EnrTableThreadsInsideMonteCarlo(benchmark::State& st) {
    Sweep s = catalogue_sweep(1001);
    s.to = 18;
    s.enr_table = datafiles::read_enr_file(ORLAVEX_EXAMPLES_DIR "/noise_source.enr");
    s.threads = 1;
    for (auto _ : st) {
        SweepResult r = run_sweep(s);
        double hi = 0;
        for (const SweepPoint& p : r.points) {
            if (!p.gum.valid) continue;
            hi += measure::monte_carlo(p.setup, {20000, measure::default_seed, 2, false})
                      .interval_hi_db;
        }
        benchmark::DoNotOptimize(hi);
    }
}
BENCHMARK(BM_Sweep_1001_MonteCarlo20k_EnrTableThreadsInsideMonteCarlo)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// Every noise source and "User" with the analyzer's preamp choices, 201
// points: Aravel-4 (preamp off, on: 46 sweeps) and Galder-4 (off, option 0,
// option 1: 69 sweeps).
void BM_Advice_201(benchmark::State& st) {
    Sweep s = catalogue_sweep(201);
    if (st.range(0) == 3) {
        s.base.choose_analyzer(catalogue::find_analyzer("Galder-4"));
        s.to = 26.5;
    }
    for (auto _ : st) {
        Advice a = advise(s);
        benchmark::DoNotOptimize(a.ranking.front().worst_U_db);
    }
    st.counters["candidates"] = static_cast<double>(
        candidates(s.base.setup.choices, s.bench.meas_source.has_value()).size());
}
BENCHMARK(BM_Advice_201)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace orlavex::planning
