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
#include <utility>

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

// Answers the planner's questions without a modal box and keeps what it
// was asked: the paths to open and save to (first first; none left is a
// cancel), the answer to unsaved changes, and every error shown.
struct ScriptedDialogs {
    QStringList open_paths, save_paths;
    QMessageBox::StandardButton unsaved_answer = QMessageBox::Discard;
    int unsaved_asked = 0;
    QStringList suggested_names;  // what Save As suggested
    QStringList errors;
};

inline PlannerDialogs scripted(std::shared_ptr<ScriptedDialogs> script) {
    PlannerDialogs d;
    d.open_path = [script](QWidget*) {
        return script->open_paths.isEmpty() ? QString() : script->open_paths.takeFirst();
    };
    d.save_path = [script](QWidget*, const QString& suggested) {
        script->suggested_names << suggested;
        return script->save_paths.isEmpty() ? QString() : script->save_paths.takeFirst();
    };
    d.unsaved = [script](QWidget*, const QString&) {
        ++script->unsaved_asked;
        return script->unsaved_answer;
    };
    d.error = [script](QWidget*, const QString&, const QString& message) {
        script->errors << message;
    };
    return d;
}

// Chooses Tools > Planner... and returns the planner window, whose
// unsaved changes are discarded without a question when it closes.
inline PlannerWindow* open_planner(QMainWindow& window) {
    QAction* item = planner_item(window);
    if (item == nullptr) return nullptr;
    item->trigger();
    PlannerWindow* planner = planner_of(window);
    if (planner != nullptr) planner->set_dialogs(scripted(std::make_shared<ScriptedDialogs>()));
    return planner;
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
