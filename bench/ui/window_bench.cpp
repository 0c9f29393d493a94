// The window's own costs: building it, a keystroke and a Page Up step from
// the keyboard to the repainted window, and the whole program's start-up to
// its first paint beside a bare Qt window's.
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
#include <sys/wait.h>

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

// Runs PROGRAM with ARGUMENT until it exits; false when it failed.
bool run_to_exit(const char* program, const char* argument) {
    const char* argv[] = {program, argument, nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void start_up(benchmark::State& st, const char* program, const char* argument) {
    for (auto _ : st) {
        if (!run_to_exit(program, argument)) {
            st.SkipWithError("the program did not start and exit cleanly");
            return;
        }
    }
}

// The program from exec to its first painted window.
void BM_StartUpToFirstPaint(benchmark::State& st) {
    start_up(st, ORLAVEX_EXECUTABLE, "--exit-after-show");
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
