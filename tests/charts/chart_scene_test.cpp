// A report chart drawn straight from its scene (the PDF's way) looks as the
// SVG the HTML page carries, drawn into the same box: whatever the box's
// proportions, at the chart's own size or squeezed as on a page.
#include "plot/chart_scene.h"
#include "charts/sweep_charts.h"
#include "pixel_difference.h"
#include "plot/report_files.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace orlavex::report {
namespace {

// A band with every kind of mark: lamps of all colours, held points, the
// Monte Carlo band and catalogue band edges.
charts::SweepChartData band(int count) {
    charts::SweepChartData data;
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    data.band_edges = {5, 8, 13.6};
    for (int i = 0; i < count; ++i) {
        charts::ChartPoint p;
        p.x = 1 + 17.0 * i / (count - 1);
        const double wave = std::sin(i / 30.0);
        p.expanded_db = 0.3 + 0.1 * wave;
        p.rss_db = 0.25 + 0.08 * wave;
        p.mc_lo_db = -0.28 - 0.1 * wave;
        p.mc_hi_db = 0.31 + 0.1 * wave;
        p.margin_db = {1 + 2.5 * wave, 5 + 2.5 * wave, 3 + wave};
        for (std::size_t g = 0; g < 3; ++g)
            p.lamp[g] = wave > 0.3 ? Lamp::green : wave > -0.4 ? Lamp::yellow : Lamp::red;
        p.held = i > count - 15;
        data.points.push_back(p);
    }
    return data;
}

QImage drawn(QSize size, const std::function<void(QPainter&, const QRectF&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The share of pixels whose colours differ by more than a faint edge's.
double differing(const QImage& a, const QImage& b) {
    return static_cast<double>(charts::testing::differing_pixels(a, b)) / (a.width() * a.height());
}

double inked(const QImage& image) {
    return differing(image, drawn(image.size(), [](QPainter&, const QRectF&) {}));
}

TEST(ChartScene, DrawsWhatTheHtmlPagesSvgDraws) {
    const charts::SweepChartData data = band(1001);
    const ChartSvgs svgs = draw_chart_svgs(data);
    struct Case {
        const char* chart;
        QSize box;  // the chart's own, a PDF page's (a little taller), squeezed
    };
    for (const Case& c : {Case{"uncertainty", report_chart_size}, Case{"uncertainty", {678, 292}},
                          Case{"margins", report_chart_size}, Case{"margins", {678, 292}},
                          Case{"margins", {500, 400}}}) {
        SCOPED_TRACE(std::string(c.chart) + " in " + std::to_string(c.box.width()) + "x" +
                     std::to_string(c.box.height()));
        const bool margins = std::string(c.chart) == "margins";
        ChartScene scene(
            margins ? charts::make_margin_chart(data) : charts::make_uncertainty_chart(data),
            report_chart_size);
        const QImage straight =
            drawn(c.box, [&](QPainter& painter, const QRectF& box) { scene.render(painter, box); });
        QSvgRenderer svg(QByteArray::fromStdString(margins ? svgs.margins : svgs.uncertainty));
        ASSERT_TRUE(svg.isValid());
        const QImage from_svg =
            drawn(c.box, [&](QPainter& painter, const QRectF& box) { svg.render(&painter, box); });
        EXPECT_GT(inked(straight), 0.03) << "a chart is drawn";
        EXPECT_LT(differing(straight, from_svg), 0.02);
    }
}

}  // namespace
}  // namespace orlavex::report
