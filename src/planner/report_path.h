// Where a report goes, as the save dialog's filter chooses it: a PDF on A4
// or on Letter, or an HTML page (or one more kind of file a caller offers).
// A name without an extension takes its filter's.
#pragma once

#include "report/report_format.h"

#include <QString>

class QWidget;

namespace orlavex::planner {

struct ReportPath {
    QString path;  // empty when cancelled
    report::Paper paper = report::Paper::a4;
};

// OTHER, when given, is one more filter, such as "Results, CSV (*.csv)".
ReportPath ask_report_path(QWidget* parent, const QString& title, const QString& other = {});

// The extension FILTER's first pattern gives, with its dot: ".pdf" for
// "PDF, A4 (*.pdf)"; empty for none.
QString filter_suffix(const QString& filter);

}  // namespace orlavex::planner
