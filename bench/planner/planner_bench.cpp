// The planner window on the offscreen platform: an input change through to
// a redrawn chart, and a Monte Carlo sweep run off the window's thread.
// Baselines in the same run: the library's sweep alone and the chart
// drawing alone, for the same 201 points.
#include "charts/chart_files.h"
#include "cli/sweep_chart.h"
#include "planner/planner_window.h"
#include "planner/point_chart_view.h"
#include "planning/sweep.h"
#include "window/set_up_actions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtCharts/QChartView>

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace orlavex::planner {
namespace {

void must(const std::string& why) {
    if (!why.empty()) throw std::runtime_error(why);
}

// Aravel-4 with its preamp and the NS346C, as the calculator would hold them.
Calculator catalogue_calculator() {
    Calculator calc = started_calculator();
    must(choose_analyzer(calc, "Aravel-4"));
    must(choose_noise_source(calc, "NS346C"));
    must(set_internal_preamp(calc, true));
    return calc;
}

// A planner over 0.01 to 26.5 GHz, 201 points, its first sweep done.
struct Planner {
    PlannerWindow window{catalogue_calculator};
    Planner() {
        window.resize(1400, 1000);
        window.show();
        window.findChild<QDoubleSpinBox*>(QStringLiteral("sweepFrom"))->setValue(0.01);
        window.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(26.5);
        window.findChild<QSpinBox*>(QStringLiteral("sweepPoints"))->setValue(201);
        shown();
    }
    void shown() {
        QSignalSpy spy(&window, &PlannerWindow::sweep_shown);
        while (window.sweep_running() || window.result() == nullptr)
            if (spy.isEmpty() && !spy.wait(60000)) throw std::runtime_error("no sweep");
    }
};

void render(QChartView& view, QImage& image) {
    QPainter painter(&image);
    view.render(&painter);
}

// Change the DUT noise figure, sweep (classic and GUM), show both charts and
// draw them into an offscreen image.
void BM_Planner201_InputChangeToRenderedCharts(benchmark::State& st) {
    Planner p;
    auto* nf = p.window.findChild<QDoubleSpinBox*>(QStringLiteral("dutNf"));
    auto* upper = p.window.findChild<PointChartView*>(QStringLiteral("uncertaintyChart"));
    auto* lower = p.window.findChild<PointChartView*>(QStringLiteral("marginChart"));
    QImage image(1000, 760, QImage::Format_ARGB32_Premultiplied);
    bool odd = false;
    for (auto _ : st) {
        nf->setValue((odd = !odd) ? 6.5 : 7.0);
        p.shown();
        render(*upper, image);
        render(*lower, image);
    }
    benchmark::DoNotOptimize(image.bits());
}
BENCHMARK(BM_Planner201_InputChangeToRenderedCharts)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: the library's 201-point sweep alone.
void BM_Baseline201_LibrarySweep(benchmark::State& st) {
    Planner p;
    const planning::Sweep sweep = p.window.current_sweep();
    for (auto _ : st) {
        const planning::SweepResult r = planning::run_sweep(sweep);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Baseline201_LibrarySweep)->Unit(benchmark::kMillisecond)->UseRealTime();

// Baseline: building both charts of the same points and drawing them offscreen.
void BM_Baseline201_ChartsOnly(benchmark::State& st) {
    Planner p;
    const charts::SweepChartData data = p.window.chart_data();
    QImage image(1000, 760, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : st) {
        QPainter painter(&image);
        charts::paint_sweep_charts(painter, QRectF(0, 0, 1000, 760), data);
    }
    benchmark::DoNotOptimize(image.bits());
}
BENCHMARK(BM_Baseline201_ChartsOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 201-point sweep with 20 000 Monte Carlo trials at every point, started
// from the window and run on its worker thread; the window's thread only
// waits in its event loop.
// Argument 1: with an ENR table, so that no two points share a set-up (and
// their Monte Carlo); 0: the catalogue source's ENR, constant within a band.
void BM_Planner201_MonteCarlo20000(benchmark::State& st) {
    Planner p;
    if (st.range(0) == 1) {
        p.window.load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr"));
        p.window.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(18);
    }
    p.window.findChild<QSpinBox*>(QStringLiteral("trials"))->setValue(20000);
    auto* nf = p.window.findChild<QDoubleSpinBox*>(QStringLiteral("dutNf"));
    p.window.findChild<QCheckBox*>(QStringLiteral("monteCarlo"))->setChecked(true);
    p.shown();
    bool odd = false;
    for (auto _ : st) {
        nf->setValue((odd = !odd) ? 6.5 : 7.0);
        p.shown();
    }
    if (!p.window.result()->points[100].monte_carlo) st.SkipWithError("no Monte Carlo");
}
BENCHMARK(BM_Planner201_MonteCarlo20000)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Baseline: the library's Monte Carlo sweep alone, on the calling thread.
void BM_Baseline201_LibraryMonteCarlo20000(benchmark::State& st) {
    Planner p;
    if (st.range(0) == 1) {
        p.window.load_enr_table(QStringLiteral(ORLAVEX_TEST_DATA_DIR "/source.enr"));
        p.window.findChild<QDoubleSpinBox*>(QStringLiteral("sweepTo"))->setValue(18);
    }
    planning::Sweep sweep = p.window.current_sweep();
    sweep.monte_carlo.enabled = true;
    sweep.monte_carlo.trials = 20000;
    for (auto _ : st) {
        const planning::SweepResult r = planning::run_sweep(sweep);
        benchmark::DoNotOptimize(r.points.back().gum.U_db);
    }
}
BENCHMARK(BM_Baseline201_LibraryMonteCarlo20000)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orlavex::planner

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
