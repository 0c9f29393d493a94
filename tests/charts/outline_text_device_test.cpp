// Whatever is drawn through the outline device reaches the target as it
// would have drawn it itself, within the target's transform and clip; text
// arrives as filled outlines, so a PDF holds no font for it.
#include "plot/outline_text_device.h"
#include "charts/sweep_charts.h"
#include "pixel_difference.h"
#include "plot/chart_scene.h"
#include "plot/report_files.h"

#include <QBuffer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <tuple>

namespace orlavex::report {
namespace {

using Draw = std::function<void(QPainter&)>;

// The target as a page draws a chart: moved and scaled, and clipped to the
// box when CLIPPED.
QImage drawn(const Draw& draw, bool through_outlines, bool clipped = false, int text_fills = 1) {
    QImage image(QSize(460, 320), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(30, 20);
    painter.scale(0.8, 0.9);
    if (clipped) painter.setClipRect(QRectF(0, 0, 500, 300));
    if (!through_outlines) {
        draw(painter);
        return image;
    }
    OutlineTextDevice outlines(painter, text_fills);
    QPainter drawing(&outlines);
    draw(drawing);
    drawing.end();
    return image;
}

using charts::testing::differing_pixels;

long inked(const QImage& image) {
    QImage blank(image.size(), image.format());
    blank.fill(Qt::white);
    return differing_pixels(image, blank);
}

// The darkness of all pixels together, faint edges included.
double ink(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

charts::SweepChartData band() {
    charts::SweepChartData data;
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    data.band_edges = {5, 8};
    for (int i = 0; i < 201; ++i) {
        charts::ChartPoint p;
        p.x = 1 + 17.0 * i / 200;
        const double wave = std::sin(i / 20.0);
        p.expanded_db = 0.3 + 0.1 * wave;
        p.rss_db = 0.25 + 0.08 * wave;
        p.margin_db = {1 + 2.5 * wave, 5 + 2.5 * wave, 3 + wave};
        for (std::size_t g = 0; g < 3; ++g)
            p.lamp[g] = wave > 0.3 ? Lamp::green : wave > -0.4 ? Lamp::yellow : Lamp::red;
        data.points.push_back(p);
    }
    return data;
}

void text(QPainter& p) {
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 18));
    p.setPen(Qt::darkBlue);
    p.drawText(QPointF(20, 60), QStringLiteral("Guideline margins (dB)"));
    p.translate(60, 280);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), QStringLiteral("Frequency"));
}

void shapes(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::red, 3, Qt::DashLine));
    p.drawLine(QLineF(10, 10, 480, 250));
    p.setBrush(Qt::green);
    p.setPen(Qt::black);
    for (int i = 0; i < 10; ++i)
        p.drawEllipse(QPointF(40 + 40 * i, 200), 8, 8);
    const QPointF corners[] = {{100, 40}, {200, 40}, {150, 120}};
    p.drawPolygon(corners, 3);
    p.translate(200, 0);
    p.drawPolyline(corners, 3);
    p.fillRect(QRectF(100, 40, 60, 40), Qt::magenta);
    QImage stamp(12, 12, QImage::Format_RGB32);
    stamp.fill(Qt::darkCyan);
    p.drawImage(QPointF(100, 100), stamp);
}

TEST(OutlineTextDevice, DrawsAsTheTargetWould) {
    ChartScene chart(charts::make_margin_chart(band()), report_chart_size);
    struct Case {
        const char* what;
        Draw draw;
        double most_differing;  // of the pixels the target inks itself
    };
    const Case cases[] = {
        // Laid out at a large size rather than hinted: its edges shift a little.
        {"text, moved and turned", text, 0.4},
        {"lines, ellipses, polygons and images, with pens and brushes", shapes, 0.01},
        {"clips of its own: set, replaced, narrowed, saved and restored, dropped",
         [](QPainter& p) {
             p.setClipRect(QRectF(0, 0, 120, 120));
             p.fillRect(QRectF(0, 0, 600, 600), Qt::blue);
             p.save();
             p.translate(100, 50);
             p.setClipRect(QRectF(100, 50, 300, 300), Qt::ReplaceClip);
             p.setClipRect(QRectF(50, 100, 100, 400), Qt::IntersectClip);
             p.fillRect(QRectF(0, 0, 600, 600), Qt::red);
             p.restore();
             p.fillRect(QRectF(60, 0, 600, 600), Qt::yellow);  // within the first clip again
             p.setClipping(false);
             p.fillRect(QRectF(480, 0, 200, 600), Qt::darkGreen);
         },
         0.01},
        {"a chart from its scene",
         [&chart](QPainter& p) { chart.render(p, QRectF(0, 0, 500, 300)); }, 0.15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QImage direct = drawn(c.draw, false);
        const QImage through = drawn(c.draw, true);
        ASSERT_GT(inked(direct), 500) << "something is drawn";
        EXPECT_LT(static_cast<double>(differing_pixels(direct, through)) / inked(direct),
                  c.most_differing);
    }
}

TEST(OutlineTextDevice, KeepsWithinTheTargetsClip) {
    const Draw fill = [](QPainter& p) { p.fillRect(QRectF(-100, -100, 800, 800), Qt::red); };
    const QImage within = drawn(fill, false, true);
    struct Case {
        const char* what;
        Draw draw;
    };
    const Case cases[] = {
        {"clipping dropped",
         [&](QPainter& p) {
             p.setClipping(false);
             fill(p);
         }},
        {"a clip replaced by a wider one",
         [&](QPainter& p) {
             p.setClipRect(QRectF(10, 10, 20, 20));
             p.setClipRect(QRectF(-200, -200, 1000, 1000), Qt::ReplaceClip);
             fill(p);
         }},
        {"a clip given up",
         [&](QPainter& p) {
             p.setClipRect(QRectF(10, 10, 20, 20));
             p.setClipRect(QRectF(), Qt::NoClip);
             fill(p);
         }},
        {"a clip restored away",
         [&](QPainter& p) {
             p.save();
             p.setClipRect(QRectF(10, 10, 20, 20));
             p.restore();
             fill(p);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(differing_pixels(within, drawn(c.draw, true, true)), 0);
    }
}

TEST(OutlineTextDevice, FillsTextAsOftenAsAskedAndShapesOnce) {
    for (const auto& [what, draw, heavier] :
         {std::tuple{"text", Draw(text), true}, std::tuple{"shapes", Draw(shapes), false}}) {
        SCOPED_TRACE(what);
        const double once = ink(drawn(draw, true, false, 1));
        const double twice = ink(drawn(draw, true, false, 2));
        if (heavier)
            EXPECT_GT(twice, once * 1.05);
        else
            EXPECT_EQ(twice, once);
    }
}

TEST(OutlineTextDevice, LeavesNoFontInAPdf) {
    for (const bool through_outlines : {false, true}) {
        SCOPED_TRACE(through_outlines ? "through outlines" : "directly");
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(96);
            QPainter painter(&writer);
            const Draw text = [](QPainter& p) {
                p.setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
                p.drawText(QPointF(20, 40), QStringLiteral("Frequency (GHz)"));
            };
            if (through_outlines) {
                OutlineTextDevice outlines(painter);
                QPainter drawing(&outlines);
                text(drawing);
            } else {
                text(painter);
            }
        }
        EXPECT_EQ(bytes.contains("/FontFile2"), !through_outlines);
    }
}

}  // namespace
}  // namespace orlavex::report
