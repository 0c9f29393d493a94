// File > Report...: the sweep on the charts as a measurement-plan report,
// the same report orlavex-cli report writes for the same set-up.
#include "planner/planner_window.h"

#include "plot/report_files.h"
#include "report/plan_report.h"

#include <QFileDialog>
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
    const QString pdf_a4 = tr("PDF, A4 (*.pdf)"), pdf_letter = tr("PDF, Letter (*.pdf)"),
                  html = tr("HTML page (*.html)");
    QString chosen = pdf_a4;
    QString path = QFileDialog::getSaveFileName(this, tr("Report"), QString(),
                                                pdf_a4 + ";;" + pdf_letter + ";;" + html, &chosen);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
        path += chosen == html ? QStringLiteral(".html") : QStringLiteral(".pdf");
    const report::Paper paper = chosen == pdf_letter ? report::Paper::letter : report::Paper::a4;
    const QString why = write_report(path, paper);
    set_status(why.isEmpty() ? tr("Wrote %1").arg(QFileInfo(path).fileName()) : why);
}

}  // namespace orlavex::planner
