// The questions the planner's File menu asks: which file to open or save to,
// what to do with unsaved changes, and a file it cannot use. The desktop's
// dialogs by default; tests answer them without a modal box.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace orlavex::planner {

struct PlannerDialogs {
    // A path, or empty when cancelled.
    std::function<QString(QWidget* parent)> open_path;
    std::function<QString(QWidget* parent, const QString& suggested)> save_path;
    // Save, Discard or Cancel for the set-up named NAME.
    std::function<QMessageBox::StandardButton(QWidget* parent, const QString& name)> unsaved;
    std::function<void(QWidget* parent, const QString& title, const QString& message)> error;
};

PlannerDialogs desktop_dialogs();

}  // namespace orlavex::planner
