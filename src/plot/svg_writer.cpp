#include "plot/svg_writer.h"

#include <charconv>
#include <cmath>
#include <optional>

#include <QGradient>
#include <QPainterPath>
#include <QTextItem>

namespace orlavex::report {

namespace {

// Qt's default face, which no browser knows, and the page's in its place.
constexpr std::string_view qt_face = "Sans Serif";
constexpr std::string_view web_face = "Liberation Sans, Arial, Helvetica, sans-serif";

// VALUE in at most six significant digits, as the SVG generator wrote it.
void put(std::string& out, double value) {
    char text[32];
    if (std::abs(value) < 1e-9) value = 0;
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    out.append(text, end.ptr);
}

void put_point(std::string& out, char command, QPointF at) {
    out += command;
    put(out, at.x());
    out += ' ';
    put(out, at.y());
}

void put_attribute(std::string& out, std::string_view name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    put(out, value);
    out += '"';
}

void put_colour(std::string& out, std::string_view name, const QColor& colour, double opacity) {
    out += ' ';
    out += name;
    out += "=\"";
    out += colour.name(QColor::HexRgb).toStdString();
    out += "\" ";
    out += name;
    out += "-opacity";
    out += "=\"";
    put(out, colour.alphaF() * opacity);
    out += '"';
}

void put_escaped(std::string& out, const QString& text) {
    for (char c : text.toStdString()) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
}

// A brush's one colour, where it has one: a radial or conical gradient's
// first stop (the charts have none).
std::optional<QColor> brush_colour(const QBrush& brush) {
    if (brush.style() == Qt::NoBrush) return std::nullopt;
    if (const QGradient* gradient = brush.gradient(); gradient && !gradient->stops().empty())
        return gradient->stops().front().second;
    return brush.color();
}

// A linear gradient's definition as ID, as the SVG generator wrote it.
void put_linear_gradient(std::string& out, const QLinearGradient& gradient, const std::string& id,
                         double opacity) {
    out += "<defs><linearGradient gradientUnits=\"";
    out += gradient.coordinateMode() == QGradient::ObjectBoundingMode ? "objectBoundingBox"
                                                                      : "userSpaceOnUse";
    out += '"';
    put_attribute(out, "x1", gradient.start().x());
    put_attribute(out, "y1", gradient.start().y());
    put_attribute(out, "x2", gradient.finalStop().x());
    put_attribute(out, "y2", gradient.finalStop().y());
    out += " id=\"" + id + "\">";
    for (const QGradientStop& stop : gradient.stops()) {
        out += "<stop";
        put_attribute(out, "offset", stop.first);
        out += " stop-color=\"" + stop.second.name(QColor::HexRgb).toStdString() + '"';
        put_attribute(out, "stop-opacity", stop.second.alphaF() * opacity);
        out += "/>";
    }
    out += "</linearGradient></defs>\n";
}

void put_stroke(std::string& out, const QPen& pen, double opacity) {
    if (pen.style() == Qt::NoPen) {
        out += " stroke=\"none\"";
        return;
    }
    put_colour(out, "stroke", pen.color(), opacity);
    const double width = pen.widthF() > 0 ? pen.widthF() : 1;
    if (pen.style() != Qt::SolidLine) {
        out += " stroke-dasharray=\"";
        const QList<qreal> dashes = pen.dashPattern();
        for (qsizetype i = 0; i < dashes.size(); ++i) {
            if (i > 0) out += ',';
            put(out, dashes[i] * width);
        }
        out += "\" stroke-dashoffset=\"";
        put(out, pen.dashOffset() * width);
        out += '"';
    }
    put_attribute(out, "stroke-width", width);
    out += pen.capStyle() == Qt::FlatCap    ? " stroke-linecap=\"butt\""
           : pen.capStyle() == Qt::RoundCap ? " stroke-linecap=\"round\""
                                            : " stroke-linecap=\"square\"";
    out += pen.joinStyle() == Qt::MiterJoin   ? " stroke-linejoin=\"miter\""
           : pen.joinStyle() == Qt::RoundJoin ? " stroke-linejoin=\"round\""
                                              : " stroke-linejoin=\"bevel\"";
}

}  // namespace

void SvgEngine::updateState(const QPaintEngineState& state) {
    const QPaintEngine::DirtyFlags dirty = state.state();
    if (dirty & DirtyPen) pen_ = state.pen();
    if (dirty & DirtyBrush) brush_ = state.brush();
    if (dirty & DirtyTransform) transform_ = state.transform();
    if (dirty & DirtyFont) font_ = state.font();
    if (dirty & DirtyOpacity) opacity_ = state.opacity();
    if (dirty & (DirtyPen | DirtyBrush | DirtyTransform | DirtyFont | DirtyOpacity))
        state_changed_ = true;
}

void SvgEngine::open_group() {
    if (!state_changed_) return;
    if (group_open_) body_ += "</g>\n";
    std::string fill;
    if (brush_.style() == Qt::LinearGradientPattern) {
        const std::string id = "gradient" + std::to_string(++gradients_);
        put_linear_gradient(body_, *static_cast<const QLinearGradient*>(brush_.gradient()), id,
                            opacity_);
        fill = " fill=\"url(#" + id + ")\"";
    } else if (const std::optional<QColor> colour = brush_colour(brush_)) {
        put_colour(fill, "fill", *colour, opacity_);
    } else {
        fill = " fill=\"none\"";
    }
    body_ += "<g" + fill;
    put_stroke(body_, pen_, opacity_);
    if (!transform_.isIdentity()) {
        body_ += " transform=\"matrix(";
        for (double v : {transform_.m11(), transform_.m12(), transform_.m21(), transform_.m22(),
                         transform_.dx(), transform_.dy()}) {
            put(body_, v);
            body_ += ',';
        }
        body_.back() = ')';
        body_ += '"';
    }
    body_ += ">\n";
    group_open_ = true;
    state_changed_ = false;
}

bool SvgEngine::end() {
    if (group_open_) body_ += "</g>\n";
    group_open_ = false;
    state_changed_ = true;
    return true;
}

void SvgEngine::drawPath(const QPainterPath& path) {
    open_group();
    body_ += "<path";
    body_ +=
        path.fillRule() == Qt::OddEvenFill ? " fill-rule=\"evenodd\"" : " fill-rule=\"nonzero\"";
    body_ += " d=\"";
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            put_point(body_, 'M', e);
        } else if (e.isLineTo()) {
            put_point(body_, 'L', e);
        } else if (e.isCurveTo()) {
            put_point(body_, 'C', e);
            for (int k = 1; k <= 2 && i + 1 < path.elementCount(); ++k)
                put_point(body_, ' ', path.elementAt(++i));
        }
    }
    body_ += "\"/>\n";
}

void SvgEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 1) return;
    QPainterPath path(points[0]);
    for (int i = 1; i < count; ++i)
        path.lineTo(points[i]);
    if (mode == PolylineMode) {
        // A polyline is stroked only, whatever the brush.
        const QBrush brush = brush_;
        if (brush_.style() != Qt::NoBrush) {
            brush_ = Qt::NoBrush;
            state_changed_ = true;
        }
        drawPath(path);
        if (brush.style() != Qt::NoBrush) {
            brush_ = brush;
            state_changed_ = true;
        }
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    drawPath(path);
}

void SvgEngine::drawLines(const QLineF* lines, int count) {
    open_group();
    // Each line an element of its own, as the SVG generator wrote them: a
    // browser then blends each one's edges on its own, and a curve drawn
    // in short lines keeps the weight it had.
    for (int i = 0; i < count; ++i) {
        body_ += "<path d=\"";
        put_point(body_, 'M', lines[i].p1());
        put_point(body_, 'L', lines[i].p2());
        body_ += "\"/>\n";
    }
}

void SvgEngine::drawRects(const QRectF* rects, int count) {
    open_group();
    for (int i = 0; i < count; ++i) {
        body_ += "<rect";
        put_attribute(body_, "x", rects[i].x());
        put_attribute(body_, "y", rects[i].y());
        put_attribute(body_, "width", rects[i].width());
        put_attribute(body_, "height", rects[i].height());
        body_ += "/>\n";
    }
}

void SvgEngine::drawEllipse(const QRectF& rect) {
    open_group();
    if (std::abs(rect.width() - rect.height()) < 1e-9) {
        body_ += "<circle";
        put_attribute(body_, "cx", rect.center().x());
        put_attribute(body_, "cy", rect.center().y());
        put_attribute(body_, "r", rect.width() / 2);
    } else {
        body_ += "<ellipse";
        put_attribute(body_, "cx", rect.center().x());
        put_attribute(body_, "cy", rect.center().y());
        put_attribute(body_, "rx", rect.width() / 2);
        put_attribute(body_, "ry", rect.height() / 2);
    }
    body_ += "/>\n";
}

void SvgEngine::drawPoints(const QPointF* points, int count) {
    for (int i = 0; i < count; ++i) {
        const QLineF dot(points[i], points[i]);
        drawLines(&dot, 1);
    }
}

void SvgEngine::drawTextItem(const QPointF& at, const QTextItem& item) {
    open_group();
    const QFont font = item.font();
    body_ += "<text";
    put_colour(body_, "fill", pen_.color(), opacity_);
    body_ += " stroke=\"none\" xml:space=\"preserve\"";
    put_attribute(body_, "x", at.x());
    put_attribute(body_, "y", at.y());
    const std::string family = font.family().toStdString();
    body_ += " font-family=\"";
    body_ += family == qt_face ? std::string(web_face) : family;
    body_ += '"';
    put_attribute(body_, "font-size",
                  font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72);
    put_attribute(body_, "font-weight", font.weight());
    body_ += font.italic() ? " font-style=\"italic\">" : " font-style=\"normal\">";
    put_escaped(body_, item.text());
    body_ += "</text>\n";
}

int SvgWriter::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return qRound(size_.width() * 25.4 / 96);
        case PdmHeightMM:
            return qRound(size_.height() * 25.4 / 96);
        case PdmNumColors:
            return 0xffffff;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

std::string SvgWriter::document(const std::string& title) const {
    std::string out = "<svg viewBox=\"0 0 " + std::to_string(size_.width()) + " " +
                      std::to_string(size_.height()) +
                      "\" xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" "
                      "baseProfile=\"tiny\">\n<title>";
    put_escaped(out, QString::fromStdString(title));
    out +=
        "</title>\n<g fill=\"none\" stroke=\"black\" stroke-width=\"1\" fill-rule=\"evenodd\" "
        "stroke-linecap=\"square\" stroke-linejoin=\"bevel\">\n";
    out += engine_.body();
    out += "</g>\n</svg>\n";
    return out;
}

}  // namespace orlavex::report
