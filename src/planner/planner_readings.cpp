// File > Open Readings...: a readings file evaluated with the plan's set-up
// (by the session), its points drawn over the planned uncertainty. Tools >
// Measure...: readings taken on the bench, shown the same way, and their
// measurement report.
#include "planner/planner_window.h"

#include "charts/sweep_charts.h"
#include "datafiles/file_error.h"
#include "datafiles/readings_file.h"
#include "planner/measure_dialog.h"
#include "planner/measured_series.h"
#include "planner/measurement_report.h"
#include "planner/point_chart_view.h"
#include "planner/report_path.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace orlavex::planner {

bool PlannerWindow::open_readings_file(const QString& path) {
    if (const std::string why = session_.open_readings(path.toStdString()); !why.empty()) {
        dialogs_.error(this, tr("Open Readings"), QString::fromStdString(why));
        return false;
    }
    redraw_uncertainty();
    return true;
}

void PlannerWindow::open_readings_with_dialog() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open Readings"), QString(),
                                                      tr("Readings (*.csv);;All files (*)"));
    if (!path.isEmpty()) open_readings_file(path);
}

void PlannerWindow::redraw_uncertainty() {
    if (result() != nullptr) {
        std::vector<double> xs;
        for (const charts::ChartPoint& p : chart_data_.points)
            xs.push_back(p.x);
        uncertainty_view_->show_chart(charts::make_uncertainty_chart(chart_data_), xs);
        show_measured();
        show_budget();
        return;
    }
    show_measured();
}

void PlannerWindow::show_measured() {
    const std::optional<session::MeasuredReadings>& measured = session_.measured();
    if (!measured) return;
    const QString name = QString::fromStdString(measured->name);
    const std::vector<session::MeasuredMark> marks = session::measured_marks(*measured);
    if (result() == nullptr || session_.shown_request().over != planning::SweptInput::frequency) {
        set_status(tr("%1: %n frequencies evaluated; sweep over the frequency to see them over "
                      "the plan.",
                      nullptr, static_cast<int>(marks.size()))
                       .arg(name));
        return;
    }
    const std::size_t drawn = add_measured_series(*uncertainty_view_->chart(), marks);
    const std::size_t within = session::marks_within_plan(marks, *result());
    set_status(tr("%1: %2 of %3 measured points shown, %4 within the planned U.")
                   .arg(name)
                   .arg(drawn)
                   .arg(marks.size())
                   .arg(within));
}

MeasureDialog* PlannerWindow::open_measure_dialog() {
    if (measure_dialog_ == nullptr) {
        measure_dialog_ = new MeasureDialog([this] { return session_.sweep_request(); }, this);
        connect(measure_dialog_, &MeasureDialog::measured, this, &PlannerWindow::take_measured);
        connect(measure_dialog_, &MeasureDialog::report_asked, this,
                &PlannerWindow::measurement_report_with_dialog);
        session::MeasureChoices c = measure_dialog_->choices();
        const session::SweepInputs& sweep = session_.sweep_inputs();
        if (sweep.over == planning::SweptInput::frequency && sweep.to > sweep.from) {
            c.from_ghz = sweep.from;
            c.to_ghz = sweep.to;
            // A bench takes seconds a frequency: fewer than a sweep's points.
            c.points = std::min<std::size_t>(sweep.points, 11);
        }
        measure_dialog_->set_choices(c);
    }
    return measure_dialog_;
}

void PlannerWindow::take_measured(const QString& readings, const QString& name) {
    std::string why;
    try {
        const datafiles::Readings parsed =
            datafiles::parse_readings(readings.toStdString(), name.toStdString());
        why = session_.take_readings(parsed, name.toStdString());
    } catch (const datafiles::FileError& e) {
        why = e.what();
    }
    if (!why.empty()) {
        dialogs_.error(this, tr("Measure"), QString::fromStdString(why));
        return;
    }
    redraw_uncertainty();
}

QString PlannerWindow::write_measured_results(const QString& path) const {
    const std::string text = session_.measured_csv();
    if (text.empty()) return tr("No measured results yet.");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.commit())
        return tr("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString PlannerWindow::write_measurement_report(const QString& path, report::Paper paper) const {
    if (measure_dialog_ == nullptr || measure_dialog_->readings_text().isEmpty())
        return tr("No readings measured yet.");
    return planner::write_measurement_report(session_, measure_dialog_->taken(), path, paper);
}

void PlannerWindow::measurement_report_with_dialog() {
    // The results' table alone, as CSV, beside the report itself.
    const ReportPath to =
        ask_report_path(measure_dialog_, tr("Measurement Report"), tr("Results, CSV (*.csv)"));
    if (to.path.isEmpty()) return;
    const QString why = QFileInfo(to.path).suffix() == QStringLiteral("csv")
                            ? write_measured_results(to.path)
                            : write_measurement_report(to.path, to.paper);
    measure_dialog_->set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(to.path).fileName())
                                              : why);
}

}  // namespace orlavex::planner
