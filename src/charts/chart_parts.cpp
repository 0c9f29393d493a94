#include "charts/chart_parts.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>

namespace orlavex::charts {

namespace {

// The chart's title on one line, or on two where the chart is too narrow
// (Qt Charts would cut it short): broken before its last parenthesis, else
// at the middle space.
void fit_title(QChart& chart, const QString& title) {
    const double room = chart.size().width() - chart.margins().left() - chart.margins().right();
    QString shown = title.toHtmlEscaped();
    if (QFontMetricsF(chart.titleFont()).horizontalAdvance(title) > room) {
        qsizetype cut = title.lastIndexOf(QStringLiteral(" ("));
        if (cut <= 0) cut = title.indexOf(' ', title.size() / 2);
        if (cut > 0)
            shown = title.left(cut).toHtmlEscaped() + QStringLiteral("<br>") +
                    title.mid(cut + 1).toHtmlEscaped();
    }
    if (chart.title() != shown) chart.setTitle(shown);
}

}  // namespace

QColor colour(Rgb rgb, int alpha) {
    return QColor(rgb.red, rgb.green, rgb.blue, alpha);
}

void attach(QChart& chart, QAbstractSeries* series) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
}

void hide_from_legend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series))
        marker->setVisible(false);
}

// A curve's entry in the legend: an empty series in its pen, so that the
// legend lists the curve once, where it is added, whatever its gaps and
// wherever its runs are drawn.
QLineSeries* add_legend_line(QChart& chart, const QPen& pen, const QString& name) {
    auto* key = new QLineSeries;
    key->setName(name);
    key->setPen(pen);
    attach(chart, key);
    return key;
}

// A curve's runs, each a line series of NAME out of the legend.
void add_runs(QChart& chart, const std::vector<Run>& runs, const QPen& pen, const QString& name) {
    for (const Run& run : runs) {
        auto* series = new QLineSeries;
        series->append(run);
        series->setPen(pen);
        series->setName(name);
        attach(chart, series);
        hide_from_legend(chart, series);
    }
}

// A legend entry for marks of one look: an empty scatter series.
QScatterSeries* add_legend_mark(QChart& chart, const QString& name, QColor fill, QColor edge,
                                QScatterSeries::MarkerShape shape, double size) {
    auto* key = new QScatterSeries;
    key->setName(name);
    key->setMarkerShape(shape);
    key->setMarkerSize(size);
    key->setColor(fill);
    key->setBorderColor(edge);
    attach(chart, key);
    return key;
}

double mark_size(std::size_t points) {
    const double spacing = 900.0 / std::max<std::size_t>(points, 1);
    return std::clamp(spacing * 0.9, 3.0, chart_style.lamp_mark_size);
}

// The legend below the plot where its entries fit one line (as the margin
// chart's legend, so that the two plots line up), else beside the plot.
void fit_legend(QChart& chart) {
    QLegend& legend = *chart.legend();
    const QFontMetricsF metrics(legend.font());
    double needed = 0;
    for (QLegendMarker* marker : legend.markers())
        if (marker->isVisible())
            needed += metrics.horizontalAdvance(marker->label()) + 3 * metrics.height();
    const double room = chart.size().width() - chart.margins().left() - chart.margins().right();
    const Qt::Alignment wanted = needed <= room ? Qt::AlignBottom : Qt::AlignRight;
    if (legend.alignment() != wanted) legend.setAlignment(wanted);
}

std::unique_ptr<QChart> new_chart(const QString& title) {
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title.toHtmlEscaped());
    QObject::connect(chart.get(), &QGraphicsWidget::geometryChanged, chart.get(),
                     [chart = chart.get(), title] { fit_title(*chart, title); });
    // The theme may size the title font in pixels or in points.
    QFont title_font = chart->titleFont();
    title_font.setBold(true);
    if (title_font.pointSizeF() > 0)
        title_font.setPointSizeF(title_font.pointSizeF() * 1.15);
    else
        title_font.setPixelSize(qRound(title_font.pixelSize() * 1.15));
    chart->setTitleFont(title_font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    return chart;
}

QPen curve_pen(Rgb rgb, Qt::PenStyle style) {
    QPen pen(colour(rgb));
    pen.setWidthF(chart_style.curve_width);
    pen.setStyle(style);
    return pen;
}

}  // namespace orlavex::charts
