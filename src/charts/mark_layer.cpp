#include "charts/mark_layer.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QScatterSeries>

namespace orlavex::charts {

namespace {

void paint_mark(QPainter& painter, MarkShape shape, QPointF at, double size) {
    const double r = size / 2;
    switch (shape) {
        case MarkShape::circle:
            painter.drawEllipse(at, r, r);
            return;
        case MarkShape::square:
            painter.drawRect(QRectF(at.x() - r, at.y() - r, size, size));
            return;
        case MarkShape::triangle: {
            const QPointF corners[3] = {
                {at.x(), at.y() - r}, {at.x() + r, at.y() + r}, {at.x() - r, at.y() + r}};
            painter.drawPolygon(corners, 3);
            return;
        }
    }
}

// GROUP's error bars: a line from the lower to the upper end with a cap at
// each end, a little wider than the mark so that both show beside it.
void paint_error_bars(QPainter& painter, const MarkGroup& group,
                      const std::function<QPointF(QPointF)>& position) {
    QPen pen(group.colour.darker(130));
    pen.setWidthF(1.5);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const double cap = group.size / 2 + 3;
    for (qsizetype i = 0; i < group.values.size() && i < group.error_bars.size(); ++i) {
        const QPointF value = group.values[i];
        const double e = std::abs(group.error_bars[i]);
        const QPointF low = position({value.x(), value.y() - e});
        const QPointF high = position({value.x(), value.y() + e});
        painter.drawLine(low, high);
        painter.drawLine(QPointF(low.x() - cap, low.y()), QPointF(low.x() + cap, low.y()));
        painter.drawLine(QPointF(high.x() - cap, high.y()), QPointF(high.x() + cap, high.y()));
    }
}

// A raster device at one pixel per unit, the painter only moved: there a
// mark is the same picture wherever it lands, so it is drawn once (per
// quarter-pixel phase) and copied to each place, which costs a tenth of
// drawing each. Elsewhere (SVG, PDF, a scaled screen) marks stay vectors.
bool stamps_fit(const QPainter& painter) {
    return painter.paintEngine() != nullptr &&
           painter.paintEngine()->type() == QPaintEngine::Raster && painter.device() != nullptr &&
           painter.device()->devicePixelRatio() == 1 &&
           painter.transform().type() <= QTransform::TxTranslate;
}

// The marks of one look as copies of a drawn mark, placed to a quarter pixel.
class MarkStamps {
  public:
    MarkStamps(const QPainter& painter, MarkShape shape, double size)
        : hints_(painter.renderHints()),
          pen_(painter.pen()),
          brush_(painter.brush()),
          shape_(shape),
          size_(size),
          side_(2 * static_cast<int>(std::ceil(size / 2 + painter.pen().widthF())) + 2) {}

    // A mark centred at AT in device pixels, on PAINTER without a transform.
    void paint(QPainter& painter, QPointF at) {
        const double x = std::floor(at.x() * phases + 0.5) / phases;
        const double y = std::floor(at.y() * phases + 0.5) / phases;
        const double left = std::floor(x), top = std::floor(y);
        const QImage& stamp =
            stamp_at(static_cast<int>((x - left) * phases), static_cast<int>((y - top) * phases));
        painter.drawImage(QPointF(left - side_ / 2, top - side_ / 2), stamp);
    }

  private:
    static constexpr int phases = 16;

    const QImage& stamp_at(int dx, int dy) {
        QImage& stamp = stamps_[dx][dy];
        if (!stamp.isNull()) return stamp;
        stamp = QImage(side_, side_, QImage::Format_ARGB32_Premultiplied);
        stamp.fill(Qt::transparent);
        QPainter drawn(&stamp);
        drawn.setRenderHints(hints_);
        drawn.setPen(pen_);
        drawn.setBrush(brush_);
        const double centre = side_ / 2;
        paint_mark(drawn, shape_,
                   QPointF(centre + double(dx) / phases, centre + double(dy) / phases), size_);
        return stamp;
    }

    QPainter::RenderHints hints_;
    QPen pen_;
    QBrush brush_;
    MarkShape shape_;
    double size_;
    int side_;  // even, so that the centre falls on a pixel's corner
    QImage stamps_[phases][phases];
};

}  // namespace

MarkLayer::MarkLayer(QChart& chart) : QGraphicsObject(&chart), chart_(chart) {
    // Qt Charts gives each series a graphics item, a child of the chart, all
    // on one z level and stacked in the order of their insertion. The
    // reference's item, new among the chart's children, shows the level.
    const QList<QGraphicsItem*> before = chart.childItems();
    reference_ = new QScatterSeries;
    chart.addSeries(reference_);
    for (QAbstractAxis* axis : chart.axes())
        reference_->attachAxis(axis);
    for (QLegendMarker* marker : chart.legend()->markers(reference_))
        marker->setVisible(false);
    for (QGraphicsItem* child : chart.childItems())
        if (!before.contains(child)) setZValue(child->zValue());
    bounds_ = bounds();
    connect(&chart, &QChart::plotAreaChanged, this, [this] { move_bounds(); });
}

void MarkLayer::add(MarkGroup group) {
    largest_ = std::max(largest_, group.size);
    groups_.push_back(std::move(group));
    move_bounds();
}

QRectF MarkLayer::bounds() const {
    const double margin = largest_ / 2 + 4;  // an error bar's cap reaches a little further
    return chart_.plotArea().adjusted(-margin, -margin, margin, margin);
}

void MarkLayer::move_bounds() {
    const QRectF now = bounds();
    if (now == bounds_) return;
    prepareGeometryChange();
    bounds_ = now;
}

QRectF MarkLayer::boundingRect() const {
    return bounds_;
}

void MarkLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    const auto position = [this](QPointF value) { return chart_.mapToPosition(value, reference_); };
    for (const MarkGroup& group : groups_)
        if (!group.error_bars.isEmpty()) paint_error_bars(*painter, group, position);
    for (const MarkGroup& group : groups_) {
        QPen pen(group.hollow ? group.colour : group.colour.darker(130));
        pen.setWidthF(group.hollow ? 1.5 : 1.0);
        painter->setPen(pen);
        painter->setBrush(group.hollow ? QBrush(Qt::NoBrush) : QBrush(group.colour));
        const double size = group.hollow ? group.size - 1 : group.size;
        if (stamps_fit(*painter)) {
            MarkStamps stamps(*painter, group.shape, size);
            const QTransform to_device = painter->transform();
            painter->save();
            painter->resetTransform();  // the stamps are placed in device pixels
            for (const QPointF& value : group.values)
                stamps.paint(*painter, to_device.map(chart_.mapToPosition(value, reference_)));
            painter->restore();
            continue;
        }
        for (const QPointF& value : group.values)
            paint_mark(*painter, group.shape, chart_.mapToPosition(value, reference_), size);
    }
    painter->restore();
}

const MarkLayer* mark_layer_of(const QChart& chart) {
    for (QGraphicsItem* child : chart.childItems())
        if (auto* layer = dynamic_cast<const MarkLayer*>(static_cast<const QGraphicsItem*>(child)))
            return layer;
    return nullptr;
}

}  // namespace orlavex::charts
