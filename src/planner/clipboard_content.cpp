#include "planner/clipboard_content.h"

#include "charts/chart_files.h"

#include <QMimeData>
#include <QPainter>
#include <QStringList>

namespace orlavex::planner {

QString tab_text_as_html(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.isEmpty()) return {};
    QString html = QStringLiteral("<table><caption>%1</caption>\n").arg(lines[0].toHtmlEscaped());
    for (int i = 1; i < lines.size(); ++i) {
        const QString cell = i == 1 ? QStringLiteral("th") : QStringLiteral("td");
        html += QStringLiteral("<tr>");
        for (const QString& field : lines[i].split(QLatin1Char('\t')))
            html += QStringLiteral("<%1>%2</%1>").arg(cell, field.toHtmlEscaped());
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QMimeData* budget_mime_data(const QString& budget_text) {
    auto* data = new QMimeData;
    data->setText(budget_text);
    data->setHtml(tab_text_as_html(budget_text));
    return data;
}

QImage chart_image(const charts::SweepChartData& data) {
    QImage image(charts::default_image_size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    charts::paint_sweep_charts(painter, QRectF(QPointF(0, 0), charts::default_image_size), data);
    painter.end();
    return image;
}

}  // namespace orlavex::planner
