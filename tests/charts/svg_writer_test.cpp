// What is painted on SvgWriter, read back by an SVG renderer, looks as the
// same painting drawn straight into an image: each kind of call the charts
// make (dashed and solid lines, marks, areas, transformed text, a gradient
// background) in its own small picture, so that one wrong attribute shows.
#include "plot/svg_writer.h"

#include "pixel_difference.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace orlavex::report {
namespace {

constexpr QSize picture{160, 80};

using Paint = std::function<void(QPainter&)>;

QImage drawn(const std::function<void(QPainter&)>& paint) {
    QImage image(picture, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

QImage through_svg(const Paint& paint) {
    SvgWriter writer(picture);
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    QSvgRenderer svg(QByteArray::fromStdString(writer.document("t")));
    EXPECT_TRUE(svg.isValid());
    return drawn([&](QPainter& p) { svg.render(&p, QRectF(QPointF(0, 0), QSizeF(picture))); });
}

double share(long pixels) {
    return static_cast<double>(pixels) / (picture.width() * picture.height());
}

TEST(SvgWriter, DrawsWhatThePainterDraws) {
    struct Case {
        const char* name;
        Paint paint;
        double tolerance = 0.01;  // text: each renderer hints glyphs its own way
    };
    const Case cases[] = {
        {"dashed lines",
         [](QPainter& p) {
             QPen pen(QColor(0xc8, 0x5a, 0x14), 2, Qt::DashLine);
             p.setPen(pen);
             for (int i = 0; i < 6; ++i)
                 p.drawLine(QLineF(5, 10 + 12 * i, 155, 10 + 12 * i));
         }},
        {"lines in a moved group with a faint pen",
         [](QPainter& p) {
             p.translate(20, 15);
             p.setPen(QPen(QColor(31, 84, 160, 160), 3));
             const QLineF lines[] = {{0, 0, 60, 50}, {60, 50, 120, 0}, {0, 50, 120, 50}};
             p.drawLines(lines, 3);
         }},
        {"marks",
         [](QPainter& p) {
             p.setPen(QColor(0xa5, 0x1f, 0x1f));
             p.setBrush(QColor(0xd7, 0x28, 0x28));
             for (int i = 0; i < 12; ++i)
                 p.drawEllipse(QPointF(10 + 12 * i, 40), 5, 5);
             p.drawRect(QRectF(20, 60, 12, 12));
             const QPointF triangle[] = {{100, 55}, {110, 75}, {90, 75}};
             p.drawPolygon(triangle, 3);
         }},
        {"an area under a scaled transform",
         [](QPainter& p) {
             p.scale(2, 1.5);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(40, 160, 60, 100));
             QPainterPath area;
             area.moveTo(5, 45);
             area.cubicTo(20, 0, 40, 60, 70, 10);
             area.lineTo(70, 45);
             area.closeSubpath();
             p.drawPath(area);
         }},
        {"a gradient background",
         [](QPainter& p) {
             QLinearGradient gradient(0, 0, 1, 0);
             gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
             gradient.setColorAt(0, QColor(20, 20, 120));
             gradient.setColorAt(1, QColor(240, 240, 240));
             p.setPen(Qt::NoPen);
             p.setBrush(gradient);
             p.drawRect(QRectF(10, 10, 140, 60));
         }},
        {"text turned and moved",
         [](QPainter& p) {
             QFont font(QStringLiteral("Liberation Sans"));
             font.setPixelSize(16);
             font.setBold(true);
             p.setFont(font);
             p.setPen(QColor(0x40, 0x40, 0x44));
             p.drawText(QPointF(10, 30), QStringLiteral("Frequency"));
             p.translate(140, 75);
             p.rotate(-90);
             p.drawText(QPointF(0, 0), QStringLiteral("dB"));
         },
         0.03},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage straight = drawn(c.paint);
        const QImage from_svg = through_svg(c.paint);
        EXPECT_GT(share(charts::testing::differing_pixels(straight, drawn([](QPainter&) {}))), 0.02)
            << "something is drawn";
        EXPECT_LT(share(charts::testing::differing_pixels(straight, from_svg)), c.tolerance);
    }
}

}  // namespace
}  // namespace orlavex::report
