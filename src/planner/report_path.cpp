#include "planner/report_path.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QObject>
#include <QRegularExpression>

namespace orlavex::planner {

QString filter_suffix(const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\(\\*(\\.[A-Za-z0-9]+)"));
    return pattern.match(filter).captured(1);
}

ReportPath ask_report_path(QWidget* parent, const QString& title, const QString& other) {
    const QString pdf_a4 = QObject::tr("PDF, A4 (*.pdf)"),
                  pdf_letter = QObject::tr("PDF, Letter (*.pdf)"),
                  html = QObject::tr("HTML page (*.html)");
    QStringList filters{pdf_a4, pdf_letter, html};
    if (!other.isEmpty()) filters << other;
    QString chosen = pdf_a4;
    ReportPath out;
    out.path = QFileDialog::getSaveFileName(parent, title, QString(),
                                            filters.join(QStringLiteral(";;")), &chosen);
    if (out.path.isEmpty()) return out;
    if (QFileInfo(out.path).suffix().isEmpty()) out.path += filter_suffix(chosen);
    out.paper = chosen == pdf_letter ? report::Paper::letter : report::Paper::a4;
    return out;
}

}  // namespace orlavex::planner
