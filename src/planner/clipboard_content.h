// What the planner's Edit menu puts on the clipboard: the budget as
// tab-separated text and as an HTML table, the charts as an image.
#pragma once

#include "charts/sweep_chart_data.h"

#include <QImage>
#include <QString>

class QMimeData;

namespace orlavex::planner {

// TEXT's lines (a title, then tab-separated rows, the first of them the
// column names) as an HTML table with the title as its caption.
QString tab_text_as_html(const QString& text);
// A new QMimeData with BUDGET_TEXT as text and as HTML; the clipboard takes it.
QMimeData* budget_mime_data(const QString& budget_text);

// The charts as the PNG export draws them.
QImage chart_image(const charts::SweepChartData& data);

}  // namespace orlavex::planner
