#include "ui/shapes.h"

#include <QPainter>

#include <algorithm>

namespace orlavex::ui {

ShapeWidget::ShapeWidget(Form form, QWidget* parent) : QWidget(parent), form_(form) {}

void ShapeWidget::set_colours(const QColor& outline, const QColor& fill) {
    if (outline == outline_ && fill == fill_) return;
    outline_ = outline;
    fill_ = fill;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, form_ == Form::Circle);
    painter.setPen(QPen(outline_.isValid() ? outline_ : QColor(Qt::black), 1));
    painter.setBrush(fill_.isValid() ? QBrush(fill_) : Qt::NoBrush);
    const QRectF inside = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (form_ == Form::Circle) {
        painter.drawEllipse(inside);
    } else {
        painter.drawRect(inside);
    }
}

LineWidget::LineWidget(QPoint from, QPoint to, int width, QWidget* parent)
    : QWidget(parent), width_(std::max(1, width)) {
    const int margin = width_;
    const QRect box = QRect(from, to).normalized().adjusted(-margin, -margin, margin, margin);
    setGeometry(box);
    line_ = QLine(from - box.topLeft(), to - box.topLeft());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::set_colour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    update();
}

void LineWidget::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(
        QPen(colour_.isValid() ? colour_ : QColor(Qt::black), width_, Qt::SolidLine, Qt::FlatCap));
    // A pen of even width straddles the pixel grid; shift it to cover whole rows.
    const QPointF shift = (width_ % 2 == 1) ? QPointF(0.5, 0.5) : QPointF(0, 0);
    painter.drawLine(QLineF(line_).translated(shift));
}

}  // namespace orlavex::ui
