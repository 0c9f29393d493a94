// The planner's menu bar: File (set-up files, recent files, export, close)
// and Edit (the budget and the chart to the clipboard), and what a set-up
// file shown in the title with unsaved changes asks before it goes.
#include "planner/planner_window.h"

#include "app/setup_file/setup_file.h"
#include "charts/chart_files.h"
#include "planner/budget_view.h"
#include "planner/clipboard_content.h"
#include "planner/measure_dialog.h"
#include "ui/qstring.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace orlavex::planner {

namespace {

QAction* add_action(QMenu* menu, const QString& text, const char* name,
                    const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!keys.isEmpty()) action->setShortcut(keys);
    return action;
}

}  // namespace

QMenuBar* PlannerWindow::build_menu_bar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("plannerMenuBar"));
    build_file_menu(bar->addMenu(tr("&File")));
    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    connect(add_action(edit, tr("Copy &Budget"), "copyBudgetAction"), &QAction::triggered, this,
            &PlannerWindow::copy_budget);
    connect(add_action(edit, tr("Copy &Chart"), "copyChartAction"), &QAction::triggered, this,
            &PlannerWindow::copy_chart);
    QMenu* tools = bar->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("plannerToolsMenu"));
    connect(add_action(tools, tr("&Measure..."), "measureAction"), &QAction::triggered, this,
            [this] {
                MeasureDialog* dialog = open_measure_dialog();
                dialog->show();
                dialog->raise();
                dialog->activateWindow();
            });
    return bar;
}

void PlannerWindow::build_file_menu(QMenu* file) {
    file->setObjectName(QStringLiteral("fileMenu"));
    connect(add_action(file, tr("&Open Set-up..."), "openSetup", QKeySequence::Open),
            &QAction::triggered, this, [this] {
                if (!settle_unsaved()) return;
                const QString path = dialogs_.open_path(this);
                if (!path.isEmpty()) open_setup_file(path);
            });
    connect(add_action(file, tr("&Save Set-up"), "saveSetup", QKeySequence::Save),
            &QAction::triggered, this, &PlannerWindow::save_setup);
    connect(add_action(file, tr("Save Set-up &As..."), "saveSetupAs",
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
            &QAction::triggered, this, &PlannerWindow::save_setup_as);
    connect(add_action(file, tr("Open Rea&dings..."), "openReadings"), &QAction::triggered, this,
            &PlannerWindow::open_readings_with_dialog);
    recent_menu_ = file->addMenu(tr("Open &Recent"));
    recent_menu_->setObjectName(QStringLiteral("recentMenu"));
    connect(recent_menu_, &QMenu::aboutToShow, this, &PlannerWindow::fill_recent_menu);
    fill_recent_menu();
    file->addSeparator();
    QMenu* export_menu = file->addMenu(tr("&Export"));
    export_menu->setObjectName(QStringLiteral("exportMenu"));
    connect(add_action(export_menu, tr("&CSV..."), "exportCsvAction"), &QAction::triggered, this,
            [this] { export_with_dialog(tr("Export CSV"), tr("CSV files (*.csv)"), ".csv"); });
    connect(add_action(export_menu, tr("&PNG..."), "exportPngAction"), &QAction::triggered, this,
            [this] { export_with_dialog(tr("Export PNG"), tr("PNG images (*.png)"), ".png"); });
    connect(add_action(export_menu, tr("&SVG..."), "exportSvgAction"), &QAction::triggered, this,
            [this] { export_with_dialog(tr("Export SVG"), tr("SVG drawings (*.svg)"), ".svg"); });
    connect(add_action(file, tr("Re&port..."), "reportAction"), &QAction::triggered, this,
            &PlannerWindow::report_with_dialog);
    file->addSeparator();
    QAction* close_action = add_action(file, tr("&Close"), "closePlanner");
    QList<QKeySequence> close_keys{QKeySequence(Qt::CTRL | Qt::Key_W)};
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Close))
        if (!close_keys.contains(keys)) close_keys << keys;
    close_action->setShortcuts(close_keys);
    connect(close_action, &QAction::triggered, this, &QWidget::close);
}

void PlannerWindow::fill_recent_menu() {
    recent_menu_->clear();
    const QStringList paths = recent_files_.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths[i];
        QAction* item = recent_menu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setToolTip(path);
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { open_recent(path); });
    }
    recent_menu_->addSeparator();
    QAction* clear = add_action(recent_menu_, tr("Clear Menu"), "clearRecent");
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        recent_files_.clear();
        fill_recent_menu();
    });
}

void PlannerWindow::open_recent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        recent_files_.remove(path);
        fill_recent_menu();
        dialogs_.error(this, tr("Open Recent"),
                       tr("%1 no longer exists; it is taken off the list.").arg(path));
        return;
    }
    if (settle_unsaved()) open_setup_file(path);
}

bool PlannerWindow::open_setup_file(const QString& path) {
    if (const std::string why = session_.open_setup_file(path.toStdString()); !why.empty()) {
        dialogs_.error(this, tr("Open Set-up"), QString::fromStdString(why));
        return false;
    }
    show_request();
    set_setup_path();
    set_status(tr("Opened %1").arg(QFileInfo(path).fileName()));
    return true;
}

bool PlannerWindow::save_setup_file(const QString& path) {
    if (const std::string why = session_.save_setup_file(path.toStdString()); !why.empty()) {
        dialogs_.error(this, tr("Save Set-up"), QString::fromStdString(why));
        return false;
    }
    set_setup_path();
    set_status(tr("Saved %1").arg(QFileInfo(path).fileName()));
    return true;
}

bool PlannerWindow::save_setup() {
    return setup_path().isEmpty() ? save_setup_as() : save_setup_file(setup_path());
}

bool PlannerWindow::save_setup_as() {
    const QString suggested = setup_path().isEmpty()
                                  ? QStringLiteral("plan") + ui::qstring(app::setup_file_extension)
                                  : setup_path();
    QString path = dialogs_.save_path(this, suggested);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ui::qstring(app::setup_file_extension);
    return save_setup_file(path);
}

// The session's file is the one just opened or saved, with nothing changed
// since.
void PlannerWindow::set_setup_path() {
    recent_files_.add(setup_path());
    fill_recent_menu();
    show_title();
    setWindowModified(session_.dirty());
}

void PlannerWindow::show_title() {
    const QString path = setup_path();
    setWindowFilePath(path);
    setWindowTitle(path.isEmpty() ? tr("Orlavex Planner[*]")
                                  : tr("%1[*] - Orlavex Planner").arg(QFileInfo(path).fileName()));
}

bool PlannerWindow::settle_unsaved() {
    if (!isWindowModified()) return true;
    const QString name =
        setup_path().isEmpty() ? tr("this plan") : QFileInfo(setup_path()).fileName();
    switch (dialogs_.unsaved(this, name)) {
        case QMessageBox::Save:
            return save_setup();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void PlannerWindow::closeEvent(QCloseEvent* event) {
    if (settle_unsaved()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void PlannerWindow::start_afresh() {
    session_.start_afresh(calculator_());
    show_setup();
    after_change();
    show_title();
}

void PlannerWindow::export_with_dialog(const QString& title, const QString& filter,
                                       const char* suffix) {
    QString path = QFileDialog::getSaveFileName(this, title, QString(), filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QString::fromLatin1(suffix);
    const QString why =
        QFileInfo(path).suffix() == QStringLiteral("csv") ? export_csv(path) : save_charts(path);
    set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(path).fileName()) : why);
}

void PlannerWindow::copy_budget() {
    if (budget_text().isEmpty()) {
        set_status(tr("No budget to copy yet."));
        return;
    }
    QApplication::clipboard()->setMimeData(budget_mime_data(budget_text()));
    set_status(tr("Budget copied as text and as a table."));
}

void PlannerWindow::copy_chart() {
    if (!result()) {
        set_status(tr("No chart to copy yet."));
        return;
    }
    QApplication::clipboard()->setImage(chart_image(chart_data_));
    set_status(tr("Charts copied as an image."));
}

void PlannerWindow::set_dialogs(PlannerDialogs dialogs) {
    dialogs_ = std::move(dialogs);
}

}  // namespace orlavex::planner
