// Helpers for the planner's tests: the calculator window with its Tools
// menu, opening the planner from it, and waiting for a sweep.
#pragma once

#include "planner/planner_opening.h"
#include "planner/planner_window.h"
#include "planner/tools_menu.h"
#include "ui/main_window.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace orlavex::planner::testing {

// The calculator window as the program makes it: with the Tools menu, here
// opening the planner linked into the test rather than its library.
inline std::unique_ptr<ui::MainWindow> calculator_window() {
    auto window = std::make_unique<ui::MainWindow>();
    ui::MainWindow* w = window.get();
    add_tools_menu(
        *w, [w] { return w->calculator(); }, open_planner);
    return window;
}

inline QAction* planner_item(const QMainWindow& window) {
    return window.findChild<QAction*>(QStringLiteral("mnuPlanner"));
}

// Chooses Tools > Planner... and returns the planner window.
inline PlannerWindow* open_planner(QMainWindow& window) {
    QAction* item = planner_item(window);
    if (item == nullptr) return nullptr;
    item->trigger();
    return planner_of(window);
}

// Called from a test's init(): any Qt warning during the test fails it. The
// offscreen platform's notes that it cannot raise a window or pass on size
// hints are what that platform lacks, not faults of the planner.
inline void fail_on_qt_warnings() {
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^(?!This plugin does not support )")));
}

// Waits until the planner shows the sweep of its current set-up.
inline bool wait_for_sweep(PlannerWindow& planner, int timeout_ms = 20000) {
    QSignalSpy shown(&planner, &PlannerWindow::sweep_shown);
    while (planner.sweep_running() || planner.result() == nullptr) {
        if (shown.isEmpty() && !shown.wait(timeout_ms)) return false;
        shown.clear();
    }
    return true;
}

}  // namespace orlavex::planner::testing
