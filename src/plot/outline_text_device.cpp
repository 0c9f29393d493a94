#include "plot/outline_text_device.h"

namespace orlavex::report {

OutlineTextEngine::OutlineTextEngine(QPainter& target, int text_fills)
    : QPaintEngine(AllFeatures),
      target_(target),
      text_fills_(text_fills),
      base_(target.transform()),
      base_clipped_(target.hasClipping()) {
    if (base_clipped_) base_clip_ = target.transform().map(target.clipPath());
}

void OutlineTextEngine::updateState(const QPaintEngineState& state) {
    const DirtyFlags dirty = state.state();
    if (dirty & DirtyPen) target_.setPen(state.pen());
    if (dirty & DirtyBrush) target_.setBrush(state.brush());
    if (dirty & DirtyBrushOrigin) target_.setBrushOrigin(state.brushOrigin());
    if (dirty & DirtyBackground) target_.setBackground(state.backgroundBrush());
    if (dirty & DirtyBackgroundMode) target_.setBackgroundMode(state.backgroundMode());
    if (dirty & DirtyHints) {
        target_.setRenderHints(target_.renderHints(), false);
        target_.setRenderHints(state.renderHints(), true);
    }
    if (dirty & DirtyCompositionMode) target_.setCompositionMode(state.compositionMode());
    if (dirty & DirtyOpacity) target_.setOpacity(state.opacity());
    if (dirty & (DirtyTransform | DirtyClipPath | DirtyClipRegion))
        target_.setTransform(state.transform() * base_);
    if (dirty & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled)) update_clip(state);
}

// The clip set here within the target's own: replacing or dropping it goes
// back to the target's first. Clipping turned off keeps the target's; on
// again, it stays as it is (QPainter tells of the last clip only, with the
// transform of the moment, not that of the clip).
void OutlineTextEngine::update_clip(const QPaintEngineState& state) {
    const bool set = state.state() & (DirtyClipPath | DirtyClipRegion);
    const bool enabled = state.isClipEnabled() && state.clipOperation() != Qt::NoClip;
    if (!set && state.isClipEnabled()) return;
    const bool intersects = set && enabled && state.clipOperation() == Qt::IntersectClip;
    if (!intersects) {
        const QTransform drawing = target_.transform();
        target_.setTransform(QTransform());
        if (base_clipped_)
            target_.setClipPath(base_clip_);
        else
            target_.setClipping(false);
        target_.setTransform(drawing);
    }
    if (!set || !enabled) return;
    const Qt::ClipOperation within =
        base_clipped_ || intersects ? Qt::IntersectClip : Qt::ReplaceClip;
    if (state.state() & DirtyClipRegion)
        target_.setClipRegion(state.clipRegion(), within);
    else
        target_.setClipPath(state.clipPath(), within);
}

void OutlineTextEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    switch (mode) {
        case PolylineMode:
            target_.drawPolyline(points, count);
            return;
        case ConvexMode:
            target_.drawConvexPolygon(points, count);
            return;
        case OddEvenMode:
            target_.drawPolygon(points, count, Qt::OddEvenFill);
            return;
        case WindingMode:
            target_.drawPolygon(points, count, Qt::WindingFill);
            return;
    }
}

void OutlineTextEngine::drawTextItem(const QPointF& at, const QTextItem& item) {
    constexpr int layout_pixels = 100;
    const QFont font = item.font();
    const double pixels = font.pixelSize() > 0
                              ? font.pixelSize()
                              : font.pointSizeF() * painter()->device()->logicalDpiY() / 72.0;
    QFont large(font);
    large.setPixelSize(layout_pixels);
    QPainterPath outlines;
    outlines.setFillRule(Qt::WindingFill);  // glyphs whose contours overlap stay whole
    outlines.addText(QPointF(0, 0), large, item.text());
    target_.save();
    target_.translate(at);
    target_.scale(pixels / layout_pixels, pixels / layout_pixels);
    target_.setBrush(target_.pen().brush());
    target_.setPen(Qt::NoPen);
    target_.setRenderHint(QPainter::Antialiasing,
                          target_.testRenderHint(QPainter::TextAntialiasing) &&
                              !(font.styleStrategy() & QFont::NoAntialias));
    for (int fill = 0; fill < text_fills_; ++fill)
        target_.drawPath(outlines);
    target_.restore();
}

int OutlineTextDevice::metric(PaintDeviceMetric metric) const {
    const QPaintDevice& device = *target_.device();
    switch (metric) {
        case PdmWidth:
            return device.width();
        case PdmHeight:
            return device.height();
        case PdmWidthMM:
            return device.widthMM();
        case PdmHeightMM:
            return device.heightMM();
        case PdmNumColors:
            return device.colorCount();
        case PdmDepth:
            return device.depth();
        case PdmDpiX:
            return device.logicalDpiX();
        case PdmDpiY:
            return device.logicalDpiY();
        case PdmPhysicalDpiX:
            return device.physicalDpiX();
        case PdmPhysicalDpiY:
            return device.physicalDpiY();
        case PdmDevicePixelRatio:
            return static_cast<int>(device.devicePixelRatio());
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(device.devicePixelRatio() * devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

}  // namespace orlavex::report
