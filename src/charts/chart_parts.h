// The pieces every chart of a sweep or a measurement is built from: its
// title and legend fitted to its size, curves broken at missing values,
// legend entries listed once, pens and colours of the charts' style.
#pragma once

#include <cmath>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include <QColor>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include "charts/chart_style.h"

namespace orlavex::charts {

using Run = QList<QPointF>;

QColor colour(Rgb rgb, int alpha = 255);

// The stretches of consecutive POINTS where VALUE exists: a curve breaks
// where a point has none instead of bridging the gap.
template <class Point, class Value>
std::vector<Run> runs_of(const std::vector<Point>& points, const Value& value) {
    std::vector<Run> runs;
    bool open = false;
    for (const Point& p : points) {
        const std::optional<double> y = value(p);
        if (!y || !std::isfinite(*y)) {
            open = false;
            continue;
        }
        if (!open) runs.emplace_back();
        runs.back().append(QPointF(p.x, *y));
        open = true;
    }
    return runs;
}

// SERIES added to CHART on its axes.
void attach(QChart& chart, QAbstractSeries* series);

void hide_from_legend(QChart& chart, QAbstractSeries* series);

// A curve's entry in the legend: an empty series in its pen, so that the
// legend lists the curve once, where it is added, whatever its gaps and
// wherever its runs are drawn.
QLineSeries* add_legend_line(QChart& chart, const QPen& pen, const QString& name);

// A curve's runs, each a line series of NAME out of the legend.
void add_runs(QChart& chart, const std::vector<Run>& runs, const QPen& pen,
              const QString& name = {});

// A legend entry for marks of one look: an empty scatter series.
QScatterSeries* add_legend_mark(QChart& chart, const QString& name, QColor fill, QColor edge,
                                QScatterSeries::MarkerShape shape, double size);

// Marks shrink with the number of points so that neighbours stay apart.
double mark_size(std::size_t points);

// The legend below the plot where its entries fit one line, else beside
// the plot.
void fit_legend(QChart& chart);

// A chart titled TITLE (on two lines where it is too narrow for one), no
// animation, the legend below.
std::unique_ptr<QChart> new_chart(const QString& title);

QPen curve_pen(Rgb rgb, Qt::PenStyle style);

}  // namespace orlavex::charts
