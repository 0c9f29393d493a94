// The window's own costs: building it, a keystroke and a Page Up step from
// the keyboard to the repainted window, and the whole program's start-up to
// its first paint beside a bare Qt window's, in wall time and in the child
// process's CPU time.
//
// The keystroke and step loops process the paint events their changes
// cause, and count them: "paints_per_iteration" shows that the repaint is
// part of what is measured.
#include "ui/application_setup.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <vector>

extern char** environ;

namespace orlavex::ui {
namespace {

QLineEdit* field(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Counts the paint events that reach any widget of the application.
class PaintCounter : public QObject {
  public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    long count() const { return paints_; }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

  private:
    long paints_ = 0;
};

// A shown window with the focus in FIELD and everything painted once.
void prepare(MainWindow& window, const char* name) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) qFatal("the window was never exposed");
    QTest::mouseClick(field(window, name), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void report_paints(benchmark::State& st, const PaintCounter& paints) {
    st.counters["paints_per_iteration"] =
        static_cast<double>(paints.count()) / static_cast<double>(st.iterations());
}

void BM_BuildWindow(benchmark::State& st) {
    for (auto _ : st) {
        MainWindow window;
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_BuildWindow)->Unit(benchmark::kMillisecond);

// A digit typed into the DUT gain field (every fourth key a Backspace): key
// preview, character filter, the field's new text rendered and repainted.
void BM_KeystrokeWithRepaint(benchmark::State& st) {
    MainWindow window;
    prepare(window, "txtDUT_Gain");
    QLineEdit* gain = field(window, "txtDUT_Gain");
    const PaintCounter paints;
    int typed = 0;
    for (auto _ : st) {
        QTest::keyClick(gain, ++typed % 4 == 0 ? Qt::Key_Backspace : Qt::Key_1);
        QCoreApplication::processEvents();
    }
    report_paints(st, paints);
}
BENCHMARK(BM_KeystrokeWithRepaint)->Unit(benchmark::kMicrosecond);

// Page Up (and Page Down back) in the ENR field: a step, a full
// recalculation, every changed result rendered and repainted.
void BM_PageUpStepWithRepaint(benchmark::State& st) {
    MainWindow window;
    prepare(window, "txtENR");
    QLineEdit* enr = field(window, "txtENR");
    const PaintCounter paints;
    bool up = true;
    for (auto _ : st) {
        QTest::keyClick(enr, up ? Qt::Key_PageUp : Qt::Key_PageDown);
        QCoreApplication::processEvents();
        up = !up;
    }
    report_paints(st, paints);
}
BENCHMARK(BM_PageUpStepWithRepaint)->Unit(benchmark::kMicrosecond);

// What one start of a program cost: wall time from spawn to exit, and the
// CPU time (user and system) the child used, from getrusage(RUSAGE_CHILDREN)
// before and after it was waited for.
struct StartCost {
    double wall_ms = 0;
    double cpu_ms = 0;
};

double cpu_ms(const rusage& r) {
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(r.ru_utime) + ms(r.ru_stime);
}

// Runs PROGRAM with ARGUMENT until it exits; nothing when it failed.
std::optional<StartCost> run_to_exit(const char* program, const char* argument) {
    const char* argv[] = {program, argument, nullptr};
    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return std::nullopt;
    }
    int status = 0;
    waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return StartCost{std::chrono::duration<double, std::milli>(end - start).count(),
                     cpu_ms(after) - cpu_ms(before)};
}

// The calculator measured, or another build of it named by
// ORLAVEX_STARTUP_PROGRAM (to compare two builds in one run).
const char* calculator_program() {
    const char* other = std::getenv("ORLAVEX_STARTUP_PROGRAM");
    return other != nullptr && *other != '\0' ? other : ORLAVEX_EXECUTABLE;
}

// Per start, the mean wall and child CPU milliseconds as counters beside
// the benchmark's own (the parent's) times.
void start_up(benchmark::State& st, const char* program, const char* argument) {
    StartCost total;
    for (auto _ : st) {
        const std::optional<StartCost> cost = run_to_exit(program, argument);
        if (!cost) {
            st.SkipWithError("the program did not start and exit cleanly");
            return;
        }
        total.wall_ms += cost->wall_ms;
        total.cpu_ms += cost->cpu_ms;
    }
    const double n = static_cast<double>(st.iterations());
    st.counters["wall_ms"] = total.wall_ms / n;
    st.counters["child_cpu_ms"] = total.cpu_ms / n;
}

// The program from exec to its first painted window.
void BM_StartUpToFirstPaint(benchmark::State& st) {
    start_up(st, calculator_program(), "--exit-after-show");
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// The baseline: a bare Qt 6 window of the same size, exec to first paint.
void BM_BareQtWindowToFirstPaint(benchmark::State& st) {
    start_up(st, ORLAVEX_BARE_WINDOW, nullptr);
}
BENCHMARK(BM_BareQtWindowToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

// What any text costs: the bare window with one label, exec to first paint.
void BM_OneLabelQtWindowToFirstPaint(benchmark::State& st) {
    start_up(st, ORLAVEX_BARE_WINDOW, "--one-label");
}
BENCHMARK(BM_OneLabelQtWindowToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

double smallest(const std::vector<double>& v) {
    return *std::ranges::min_element(v);
}
double largest(const std::vector<double>& v) {
    return *std::ranges::max_element(v);
}

// The calculator's start-up against the one-label window's, the two started
// by turns in every iteration so that both see the same load: the ratio of
// their child CPU times (and wall times). Run with
// --benchmark_repetitions=9, it reports the ratio's min, median and max.
void BM_StartUpCpuAgainstOneLabelWindow(benchmark::State& st) {
    StartCost calculator, one_label;
    for (auto _ : st) {
        const std::optional<StartCost> c = run_to_exit(calculator_program(), "--exit-after-show");
        const std::optional<StartCost> b = run_to_exit(ORLAVEX_BARE_WINDOW, "--one-label");
        if (!c || !b) {
            st.SkipWithError("a program did not start and exit cleanly");
            return;
        }
        calculator.wall_ms += c->wall_ms;
        calculator.cpu_ms += c->cpu_ms;
        one_label.wall_ms += b->wall_ms;
        one_label.cpu_ms += b->cpu_ms;
    }
    const double n = static_cast<double>(st.iterations());
    st.counters["calculator_cpu_ms"] = calculator.cpu_ms / n;
    st.counters["one_label_cpu_ms"] = one_label.cpu_ms / n;
    st.counters["cpu_ratio"] = calculator.cpu_ms / one_label.cpu_ms;
    st.counters["wall_ratio"] = calculator.wall_ms / one_label.wall_ms;
}
BENCHMARK(BM_StartUpCpuAgainstOneLabelWindow)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4)
    ->ComputeStatistics("min", smallest)
    ->ComputeStatistics("max", largest);

}  // namespace
}  // namespace orlavex::ui

int main(int argc, char** argv) {
    // The window needs no display; the started programs inherit this too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orlavex::ui::prepare_application(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
