// File > Report...: the sweep on the charts as a measurement-plan report,
// the same report orlavex-cli report writes for the same set-up.
#include "planner/planner_window.h"

#include "planner/report_path.h"
#include "plot/report_files.h"
#include "report/plan_report.h"

#include <QFileInfo>

namespace orlavex::planner {

QString PlannerWindow::write_report(const QString& path, report::Paper paper) const {
    if (!result() || session_.shown_sweep() == nullptr) return tr("No sweep to report yet.");
    const app::SweepRequest& asked = session_.shown_request();
    const report::ReportContent content =
        report::plan_report({asked.setup,
                             *session_.shown_sweep(),
                             *result(),
                             {},
                             advice_current() ? &advice() : nullptr,
                             report::utc_now_text(),
                             ORLAVEX_VERSION,
                             &asked.embedded});
    try {
        report::write_report(content, path, paper);
    } catch (const report::ReportFileError& e) {
        return QString::fromStdString(e.what());
    }
    return {};
}

void PlannerWindow::report_with_dialog() {
    const ReportPath to = ask_report_path(this, tr("Report"));
    if (to.path.isEmpty()) return;
    const QString why = write_report(to.path, to.paper);
    set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(to.path).fileName()) : why);
}

}  // namespace orlavex::planner
