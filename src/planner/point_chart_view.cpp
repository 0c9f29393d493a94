#include "planner/point_chart_view.h"

#include <QLocale>
#include <QMouseEvent>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

#include <cmath>

namespace orlavex::planner {

namespace {

// Axis labels in the locale's form (decimal comma too). The y axes carry
// their tick texts as category labels ("0.25"), which are rewritten; the
// value axes are formatted by the chart with the decimals the ticks need.
void localize_axis_labels(QChart& chart) {
    chart.setLocalizeNumbers(true);
    const QLocale locale;
    for (QAbstractAxis* axis : chart.axes()) {
        if (auto* categories = qobject_cast<QCategoryAxis*>(axis)) {
            for (const QString& label : categories->categoriesLabels()) {
                bool number = false;
                const double value = label.toDouble(&number);
                if (!number) continue;
                const qsizetype point = label.indexOf('.');
                const int decimals = point < 0 ? 0 : int(label.size() - point - 1);
                const QString shown = locale.toString(value, 'f', decimals);
                if (shown != label) categories->replaceLabel(label, shown);
            }
        } else if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            const double step =
                values->tickType() == QValueAxis::TicksDynamic
                    ? values->tickInterval()
                    : (values->max() - values->min()) / std::max(1, values->tickCount() - 1);
            const int decimals =
                step > 0 ? std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 6)
                         : 2;
            values->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
        } else if (auto* log_values = qobject_cast<QLogValueAxis*>(axis)) {
            log_values->setLabelFormat(QStringLiteral("%.3g"));
        }
    }
}

}  // namespace

PointChartView::PointChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setMinimumSize(240, 160);
}

void PointChartView::show_chart(std::unique_ptr<QChart> chart, std::vector<double> x_values) {
    QChart* previous = this->chart();
    x_values_ = std::move(x_values);
    localize_axis_labels(*chart);
    marker_ = new QScatterSeries;
    marker_->setMarkerSize(14);
    marker_->setColor(Qt::transparent);
    marker_->setBorderColor(Qt::black);
    QPen pen(Qt::black);
    pen.setWidthF(2);
    marker_->setPen(pen);
    chart->addSeries(marker_);
    for (QAbstractAxis* axis : chart->axes())
        marker_->attachAxis(axis);
    for (QLegendMarker* legend : chart->legend()->markers(marker_))
        legend->setVisible(false);
    setChart(chart.release());
    delete previous;  // a chart view gives its old chart back to the caller
}

void PointChartView::clear() {
    QChart* previous = chart();
    x_values_.clear();
    marker_ = nullptr;
    setChart(new QChart);
    delete previous;
}

void PointChartView::mark(std::optional<std::size_t> index, std::optional<double> y) {
    if (marker_ == nullptr) return;
    marker_->clear();
    if (index && y && *index < x_values_.size() && std::isfinite(*y))
        marker_->append(x_values_[*index], *y);
}

std::optional<std::size_t> PointChartView::point_at(QPointF pos) const {
    if (x_values_.empty() || chart()->series().isEmpty()) return std::nullopt;
    const QPointF scene = mapToScene(pos.toPoint());
    const QPointF in_chart = chart()->mapFromScene(scene);
    if (!chart()->plotArea().contains(in_chart)) return std::nullopt;
    // Compared on the screen, so that a logarithmic axis picks alike.
    std::size_t best = 0;
    double best_distance = INFINITY;
    QAbstractSeries* series = chart()->series().first();
    for (std::size_t i = 0; i < x_values_.size(); ++i) {
        const QPointF p = chart()->mapToPosition(QPointF(x_values_[i], 0), series);
        const double distance = std::fabs(p.x() - in_chart.x());
        if (distance < best_distance) {
            best_distance = distance;
            best = i;
        }
    }
    return best;
}

QPointF PointChartView::position_of(std::size_t index, double y) const {
    QAbstractSeries* series = chart()->series().first();
    const QPointF in_chart = chart()->mapToPosition(QPointF(x_values_.at(index), y), series);
    return mapFromScene(chart()->mapToScene(in_chart));
}

void PointChartView::mouseMoveEvent(QMouseEvent* event) {
    if (const std::optional<std::size_t> index = point_at(event->position()))
        emit hovered(*index, event->globalPosition().toPoint());
    QChartView::mouseMoveEvent(event);
}

void PointChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const std::optional<std::size_t> index = point_at(event->position())) {
            emit clicked(*index);
            event->accept();
            return;
        }
    }
    QChartView::mousePressEvent(event);
}

}  // namespace orlavex::planner
