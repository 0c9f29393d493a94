#include "planner/planner_dialogs.h"

#include "app/setup_file/setup_file.h"
#include "ui/qstring.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace orlavex::planner {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("orlavex::planner::PlannerDialogs", text);
}

QString setup_filter() {
    return tr("Orlavex set-ups (*%1);;JSON files (*.json);;All files (*)")
        .arg(ui::qstring(app::setup_file_extension));
}

}  // namespace

PlannerDialogs desktop_dialogs() {
    PlannerDialogs d;
    d.open_path = [](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, tr("Open Set-up"), QString(), setup_filter());
    };
    d.save_path = [](QWidget* parent, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, tr("Save Set-up As"), suggested,
                                            setup_filter());
    };
    d.unsaved = [](QWidget* parent, const QString& name) {
        QMessageBox box(QMessageBox::Warning, tr("Orlavex Planner"),
                        tr("Save the changes to %1 before closing it?").arg(name),
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.setInformativeText(tr("Your changes are lost if you don't save them."));
        box.setDefaultButton(QMessageBox::Save);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    d.error = [](QWidget* parent, const QString& title, const QString& message) {
        QMessageBox::warning(parent, title, message);
    };
    return d;
}

}  // namespace orlavex::planner
