// A paint device that passes whatever is drawn on it to another painter,
// text as the outlines of its glyphs. A chart drawn through it into a PDF
// carries no fonts and looks as its SVG drawn there did: poppler and the
// printers fill the same paths whatever fonts they hold.
#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace orlavex::report {

class OutlineTextEngine final : public QPaintEngine {
  public:
    // TARGET's transform and clip stay the base of whatever is drawn here;
    // each text is filled TEXT_FILLS times over.
    OutlineTextEngine(QPainter& target, int text_fills);

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override;

    void drawPath(const QPainterPath& path) override { target_.drawPath(path); }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawRects(const QRectF* rects, int count) override { target_.drawRects(rects, count); }
    void drawLines(const QLineF* lines, int count) override { target_.drawLines(lines, count); }
    void drawEllipse(const QRectF& rect) override { target_.drawEllipse(rect); }
    void drawPoints(const QPointF* points, int count) override {
        target_.drawPoints(points, count);
    }
    void drawPixmap(const QRectF& rect, const QPixmap& pixmap, const QRectF& source) override {
        target_.drawPixmap(rect, pixmap, source);
    }
    void drawImage(const QRectF& rect, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags flags) override {
        target_.drawImage(rect, image, source, flags);
    }
    void drawTiledPixmap(const QRectF& rect, const QPixmap& pixmap, const QPointF& at) override {
        target_.drawTiledPixmap(rect, pixmap, at);
    }
    // The item's text as outlines laid out at a large size and scaled down,
    // as an SVG renderer draws text: its advances and shapes those of the
    // font's design, not those hinted for a screen's pixels.
    void drawTextItem(const QPointF& at, const QTextItem& item) override;

  private:
    void update_clip(const QPaintEngineState& state);

    QPainter& target_;
    int text_fills_;
    QTransform base_;
    QPainterPath base_clip_;  // in TARGET's device coordinates
    bool base_clipped_;
};

class OutlineTextDevice final : public QPaintDevice {
  public:
    // Text drawn here reaches TARGET as outlines, filled TEXT_FILLS times
    // over: twice gives the antialiased edges the weight of text drawn on
    // itself. TARGET must outlive this.
    explicit OutlineTextDevice(QPainter& target, int text_fills = 1)
        : target_(target), engine_(target, text_fills) {}

    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    // TARGET's device's sizes and resolution, so that text is laid out as
    // it would be drawn there.
    int metric(PaintDeviceMetric metric) const override;

  private:
    QPainter& target_;
    mutable OutlineTextEngine engine_;
};

}  // namespace orlavex::report
