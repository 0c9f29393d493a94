#include "planner/point_chart_view.h"

#include <QMouseEvent>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QScatterSeries>

#include <cmath>

namespace orlavex::planner {

PointChartView::PointChartView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setMinimumSize(320, 200);
}

void PointChartView::show_chart(std::unique_ptr<QChart> chart, std::vector<double> x_values) {
    QChart* previous = this->chart();
    x_values_ = std::move(x_values);
    chart->setLocalizeNumbers(true);  // axis labels in the locale's form
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
