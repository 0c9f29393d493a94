// The window's own costs: building it, a keystroke from the keyboard to the
// repainted field, and the whole program's start-up to its first paint.
#include "ui/application_setup.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace orlavex::ui {
namespace {

QLineEdit* field(const QWidget& window, const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void BM_BuildWindow(benchmark::State& st) {
    for (auto _ : st) {
        MainWindow window;
        benchmark::DoNotOptimize(&window);
    }
}
BENCHMARK(BM_BuildWindow)->Unit(benchmark::kMillisecond);

// A digit typed into the DUT gain field: key preview, character filter,
// the field's new text rendered.
void BM_Keystroke(benchmark::State& st) {
    MainWindow window;
    window.show();
    QTest::mouseClick(field(window, "txtDUT_Gain"), Qt::LeftButton);
    int typed = 0;
    for (auto _ : st) {
        QTest::keyClick(field(window, "txtDUT_Gain"),
                        ++typed % 4 == 0 ? Qt::Key_Backspace : Qt::Key_1);
    }
}
BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);

// Page Up: a step, a full recalculation and every changed result rendered.
void BM_StepAndRecalculate(benchmark::State& st) {
    MainWindow window;
    window.show();
    QTest::mouseClick(field(window, "txtENR"), Qt::LeftButton);
    bool up = true;
    for (auto _ : st) {
        QTest::keyClick(field(window, "txtENR"), up ? Qt::Key_PageUp : Qt::Key_PageDown);
        up = !up;
    }
}
BENCHMARK(BM_StepAndRecalculate)->Unit(benchmark::kMicrosecond);

// The program from exec to its first painted window, and its peak memory.
void BM_StartUpToFirstPaint(benchmark::State& st) {
    const char* argv[] = {ORLAVEX_EXECUTABLE, "--exit-after-show", nullptr};
    long peak_kib = 0;
    for (auto _ : st) {
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            st.SkipWithError("cannot start the calculator");
            return;
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            st.SkipWithError("the calculator did not exit cleanly");
            return;
        }
        peak_kib = std::max(peak_kib, usage.ru_maxrss);
    }
    st.counters["peak_RSS_MiB"] = static_cast<double>(peak_kib) / 1024.0;
}
BENCHMARK(BM_StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace orlavex::ui

int main(int argc, char** argv) {
    // The window needs no display; the started program inherits this too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    orlavex::ui::prepare_application(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
