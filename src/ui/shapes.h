// The design's graphical shapes: circles (guideline lamps, connectors),
// filled rectangles and lines.
#pragma once

#include <QColor>
#include <QLine>
#include <QWidget>

namespace orlavex::ui {

class ShapeWidget : public QWidget {
  public:
    enum class Form { Circle, Rectangle };

    ShapeWidget(Form form, QWidget* parent);

    // An invalid FILL draws the outline only.
    void set_colours(const QColor& outline, const QColor& fill);
    QColor fill() const { return fill_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Form form_;
    QColor outline_{Qt::black};
    QColor fill_;
};

// A line from one point to another; the widget covers the line's bounding
// box, widened by the pen.
class LineWidget : public QWidget {
  public:
    // FROM and TO are pixel positions in the parent; WIDTH is in pixels.
    LineWidget(QPoint from, QPoint to, int width, QWidget* parent);

    void set_colour(const QColor& colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QLine line_;  // in the widget's own coordinates
    int width_;
    QColor colour_{Qt::black};
};

}  // namespace orlavex::ui
