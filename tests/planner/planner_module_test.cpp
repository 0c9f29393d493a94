// The planner's library: the calculator program starts without Qt Charts,
// and the library is loaded, from the build tree as the program finds it,
// when the planner is first opened. This test links the calculator window
// and its Tools menu only, as the program does.
#include "planner/planner_module.h"
#include "planner/tools_menu.h"
#include "ui/main_window.h"

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace orlavex;
using namespace orlavex::planner;

namespace {

// The shared objects mapped into this process.
QString mapped_files() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(maps.readAll());
}

const QStringList planner_only_libraries = {QStringLiteral("libQt6Charts.so"),
                                            QStringLiteral("libQt6OpenGLWidgets.so"),
                                            QStringLiteral("libQt6OpenGL.so")};

}  // namespace

class PlannerModuleTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QTest::failOnWarning(
            QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
    }

    void the_calculator_program_starts_without_qt_charts() {
        // What the dynamic loader would load for the program, as ldd asks it.
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LD_TRACE_LOADED_OBJECTS"), QStringLiteral("1"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ORLAVEX_EXECUTABLE), {});
        QVERIFY(program.waitForFinished(30000));
        const QString loaded = QString::fromLocal8Bit(program.readAllStandardOutput());
        QVERIFY2(loaded.contains(QStringLiteral("libQt6Widgets.so")), qPrintable(loaded));
        for (const QString& library : planner_only_libraries)
            QVERIFY2(!loaded.contains(library), qPrintable(library + " in\n" + loaded));
    }

    void the_planner_library_is_loaded_when_the_planner_first_opens() {
        for (const QString& library : planner_only_libraries)
            QVERIFY2(!mapped_files().contains(library), qPrintable(library));
        ui::MainWindow window;
        add_tools_menu(
            window, [&window] { return window.calculator(); },
            open_from_module({QStringLiteral(ORLAVEX_PLANNER_MODULE_BUILD_DIR)}));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(planner_widget_of(window), nullptr);
        for (const QString& library : planner_only_libraries)
            QVERIFY2(!mapped_files().contains(library), qPrintable(library));

        window.findChild<QAction*>(QStringLiteral("mnuPlanner"))->trigger();
        QWidget* planner = planner_widget_of(window);
        QVERIFY(planner != nullptr);
        QVERIFY(planner->isVisible());
        QCOMPARE(planner->windowTitle(), QStringLiteral("Orlavex Planner[*]"));
        QVERIFY(mapped_files().contains(QStringLiteral("libQt6Charts.so")));
        QVERIFY(mapped_files().contains(QStringLiteral(ORLAVEX_PLANNER_MODULE_FILE)));

        // Chosen again, the same window comes up; it closes with the calculator.
        planner->close();
        window.findChild<QAction*>(QStringLiteral("mnuPlanner"))->trigger();
        QCOMPARE(planner_widget_of(window), planner);
        QVERIFY(planner->isVisible());
        window.close();
        QVERIFY(!planner->isVisible());
    }

    void a_missing_library_is_named_in_the_reason() {
        QString why;
        QVERIFY(load_planner_module({QStringLiteral("/nonexistent")}, why) == nullptr);
        QVERIFY2(why.contains(QStringLiteral(ORLAVEX_PLANNER_MODULE_FILE)), qPrintable(why));
        QVERIFY2(why.contains(QStringLiteral("/nonexistent")), qPrintable(why));
    }
};

QTEST_MAIN(PlannerModuleTest)
#include "planner_module_test.moc"
