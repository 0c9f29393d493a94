// A paint device that writes what is drawn on it as compact SVG text, for
// the report's charts in the HTML page: one group for each change of pen,
// brush, transform or font, lines as short path data, marks as circles,
// rectangles or paths, text as <text> in a browser's faces. It draws what
// QSvgGenerator drew for the same painting, without its per-call state
// groups and its slow number formatting. Clipping, images and radial
// gradients are not needed by the charts and not written.
#pragma once

#include <string>

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QSize>
#include <QTransform>

namespace orlavex::report {

class SvgEngine final : public QPaintEngine {
  public:
    SvgEngine() : QPaintEngine(AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override;
    Type type() const override { return SVG; }
    void updateState(const QPaintEngineState& state) override;

    void drawPath(const QPainterPath& path) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawEllipse(const QRectF& rect) override;
    void drawPoints(const QPointF* points, int count) override;
    void drawTextItem(const QPointF& at, const QTextItem& item) override;
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    // The SVG elements drawn so far (after end(), every group closed).
    const std::string& body() const { return body_; }

  private:
    void open_group();

    std::string body_;
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    QFont font_;
    double opacity_ = 1;
    bool group_open_ = false, state_changed_ = true;
    int gradients_ = 0;
};

class SvgWriter final : public QPaintDevice {
  public:
    // A drawing of SIZE at 96 dpi.
    explicit SvgWriter(QSize size) : size_(size) {}

    QPaintEngine* paintEngine() const override { return &engine_; }

    // The whole SVG document, TITLE its title; call after the painter ends.
    std::string document(const std::string& title) const;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize size_;
    mutable SvgEngine engine_;
};

}  // namespace orlavex::report
