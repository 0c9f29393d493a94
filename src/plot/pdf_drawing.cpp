#include "plot/pdf_drawing.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
#include <QPen>

namespace orlavex::report {

namespace {

double scale_of(const ReportDrawing& drawing, double width) {
    return drawing.width > width ? width / drawing.width : 1.0;
}

QColor colour_of(const std::string& name) {
    const QColor colour(QString::fromStdString(name));
    return colour.isValid() ? colour : QColor(0x1a1a1a);
}

}  // namespace

QSizeF drawing_size(const ReportDrawing& drawing, double width) {
    const double scale = scale_of(drawing, width);
    return {drawing.width * scale, drawing.height * scale};
}

void draw_report_drawing(QPainter& painter, const ReportDrawing& drawing, QPointF at,
                         double width) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(at);
    const double scale = scale_of(drawing, width);
    painter.scale(scale, scale);
    for (const DrawingLine& l : drawing.lines) {
        QPen pen(colour_of(l.colour), l.width);
        pen.setCapStyle(Qt::FlatCap);
        // The SVG's 5-on, 3-off dashes, which Qt counts in pen widths.
        if (l.dashed) pen.setDashPattern({5 / l.width, 3 / l.width});
        painter.setPen(pen);
        painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(std::max(1, static_cast<int>(drawing.text_size + 0.5)));
    for (const DrawingText& t : drawing.texts) {
        font.setBold(t.bold);
        painter.setFont(font);
        painter.setPen(colour_of(t.colour));
        const QString text = QString::fromStdString(t.text);
        const double advance = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
        const double x = t.anchor == TextAnchor::start    ? t.x
                         : t.anchor == TextAnchor::middle ? t.x - advance / 2
                                                          : t.x - advance;
        painter.drawText(QPointF(x, t.y), text);
    }
    painter.restore();
}

}  // namespace orlavex::report
