#include "planner/measured_series.h"

#include "charts/chart_axes.h"

#include <QPen>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include <algorithm>

namespace orlavex::planner {

namespace {

// Dark against the chart's light bands and coloured curves.
const QColor measured_colour(0x20, 0x20, 0x20);

void attach(QChart& chart, QAbstractSeries* series) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
}

// The chart's y axis again from LO to HI with its title, every series on it.
void widen_y_axis(QChart& chart, double lo, double hi) {
    const QList<QAbstractAxis*> vertical = chart.axes(Qt::Vertical);
    if (vertical.isEmpty()) return;
    auto* old = qobject_cast<QCategoryAxis*>(vertical.front());
    if (old == nullptr || (lo >= old->min() && hi <= old->max())) return;
    const QString title = old->titleText();
    const double span = old->max() - old->min();
    lo = std::min(lo, old->min());
    hi = std::max(hi, old->max());
    chart.removeAxis(old);
    delete old;
    const int intervals = std::clamp(static_cast<int>(8 * (hi - lo) / std::max(span, 1e-9)), 4, 16);
    QCategoryAxis* axis = charts::attach_y_axis(chart, lo, hi, {title}, intervals);
    for (QAbstractSeries* series : chart.series())
        series->attachAxis(axis);
}

}  // namespace

std::size_t add_measured_series(QChart& chart, const std::vector<session::MeasuredMark>& marks) {
    const QList<QAbstractAxis*> horizontal = chart.axes(Qt::Horizontal);
    if (horizontal.isEmpty()) return 0;
    // The x axis' range, whichever kind it is.
    const QAbstractAxis* x_axis = horizontal.front();
    const double x_min = x_axis->property("min").toDouble();
    const double x_max = x_axis->property("max").toDouble();
    auto* points = new QScatterSeries;
    points->setName(QString::fromLatin1(measured_series_name));
    points->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    points->setMarkerSize(7);
    points->setColor(measured_colour);
    points->setBorderColor(measured_colour);
    double lo = 0, hi = 0;
    std::vector<QLineSeries*> bars;
    QPen bar_pen(measured_colour);
    bar_pen.setWidthF(1.5);
    for (const session::MeasuredMark& m : marks) {
        if (!m.error_db || m.freq_ghz < x_min || m.freq_ghz > x_max) continue;
        points->append(m.freq_ghz, *m.error_db);
        const double u = m.expanded_db.value_or(0);
        lo = std::min(lo, *m.error_db - u);
        hi = std::max(hi, *m.error_db + u);
        if (u <= 0) continue;
        auto* bar = new QLineSeries;
        bar->setPen(bar_pen);
        bar->append(m.freq_ghz, *m.error_db - u);
        bar->append(m.freq_ghz, *m.error_db + u);
        bars.push_back(bar);
    }
    const auto drawn = static_cast<std::size_t>(points->count());
    if (drawn == 0) {
        delete points;
        return 0;
    }
    widen_y_axis(chart, lo, hi);
    for (QLineSeries* bar : bars) {
        attach(chart, bar);
        for (QLegendMarker* marker : chart.legend()->markers(bar))
            marker->setVisible(false);
    }
    attach(chart, points);
    return drawn;
}

}  // namespace orlavex::planner
