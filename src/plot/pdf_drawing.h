// A report's drawing drawn with a painter for the PDF: its lines and its
// text (as text, which a reader can select and search), at one layout unit
// a drawing unit, scaled down only where the page is narrower.
#pragma once

#include "report/report_content.h"

#include <QPainter>
#include <QPointF>
#include <QSizeF>

namespace orlavex::report {

// The size DRAWING takes at most WIDTH across.
QSizeF drawing_size(const ReportDrawing& drawing, double width);

// DRAWING with its top left corner at AT, at most WIDTH across.
void draw_report_drawing(QPainter& painter, const ReportDrawing& drawing, QPointF at, double width);

}  // namespace orlavex::report
