// A chart of a sweep that tells which point the mouse is over and which one
// is clicked: the point whose swept value lies nearest the pointer.
#pragma once

#include <QtCharts/QChartView>

#include <memory>
#include <optional>
#include <vector>

class QScatterSeries;

namespace orlavex::planner {

class PointChartView : public QChartView {
    Q_OBJECT

  public:
    explicit PointChartView(QWidget* parent = nullptr);

    // Shows CHART (taking it) whose points lie at X_VALUES, in order.
    void show_chart(std::unique_ptr<QChart> chart, std::vector<double> x_values);
    // Shows an empty chart, with no points.
    void clear();
    // Marks point INDEX at height Y (nothing when empty).
    void mark(std::optional<std::size_t> index, std::optional<double> y);

    // The point nearest to the widget position POS, if the chart has points.
    std::optional<std::size_t> point_at(QPointF pos) const;
    // The widget position of point INDEX at height Y.
    QPointF position_of(std::size_t index, double y) const;

  signals:
    void hovered(std::size_t index, QPoint global_pos);
    void clicked(std::size_t index);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::vector<double> x_values_;
    QScatterSeries* marker_ = nullptr;
};

}  // namespace orlavex::planner
