// The marks of a chart (one per sweep point and curve) painted by one
// graphics item: a scatter series makes a graphics item per point, which
// for a 1001-point sweep costs more than all the rest of the chart, and in
// an SVG a group per mark. The item lies on the series' level, above the
// series added before it and below those added after it.
#pragma once

#include <vector>

#include <QColor>
#include <QGraphicsObject>
#include <QList>
#include <QPointF>
#include <QtCharts/QChart>

namespace orlavex::charts {

enum class MarkShape { circle, square, triangle };

// Marks of one look, at values in the chart's axis units.
struct MarkGroup {
    MarkShape shape = MarkShape::circle;
    QColor colour;
    bool hollow = false;  // only the outline, in the colour
    double size = 7;      // the diameter in pixels
    QList<QPointF> values;
    // Per value, where not empty: the half height of an error bar in the y
    // axis' unit, drawn from y - e to y + e with caps, under the mark.
    QList<double> error_bars;
};

class MarkLayer : public QGraphicsObject {
  public:
    // Over the series of CHART added so far, below those added later; the
    // marks are placed on the chart's axes.
    explicit MarkLayer(QChart& chart);

    void add(MarkGroup group);
    const std::vector<MarkGroup>& groups() const { return groups_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QChart& chart_;
    // The plot area with room for the largest mark. Kept, not computed from
    // the chart when asked: the scene's index must be told of a change
    // (prepareGeometryChange) before boundingRect() answers otherwise, or it
    // keeps the item under its old place and paints a deleted one.
    QRectF bounds() const;
    void move_bounds();

    QAbstractSeries* reference_ = nullptr;  // an empty series on the axes, placing the marks
    std::vector<MarkGroup> groups_;
    double largest_ = 0;
    QRectF bounds_;
};

// The marks layer of CHART, or null when it has none.
const MarkLayer* mark_layer_of(const QChart& chart);

}  // namespace orlavex::charts
