// Writing a measurement-plan report with its charts drawn: HTML with the
// charts as inline SVG, or a PDF (text selectable, charts as vectors) on
// A4 or Letter. Used by orlavex-plot for orlavex-cli report and, in
// process, by the planner window. Needs a QApplication.
#pragma once

#include "report/report_content.h"
#include "report/report_format.h"
#include "report/report_html.h"

#include <stdexcept>

#include <QSize>
#include <QString>

namespace orlavex::report {

struct ReportFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Each chart's drawing size; its text sizes are the image files' (96 dpi).
inline constexpr QSize report_chart_size{1000, 430};

// The two sweep charts as SVG documents.
ChartSvgs draw_chart_svgs(const charts::SweepChartData& data);

// Throws ReportFileError for an extension other than .html, .htm or .pdf,
// or a file that cannot be written.
void write_report(const ReportContent& content, const QString& path, Paper paper);

}  // namespace orlavex::report
