// SVG compaction: the groups it drops and joins, and that a compacted chart
// draws exactly what the generator wrote.
#include "charts/svg_compaction.h"

#include "charts/chart_files.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace orlavex::charts {
namespace {

TEST(SvgCompaction, DropsEmptyGroupsAndJoinsNeighboursWithTheSameAttributes) {
    const std::string svg =
        "<svg>\n<g a=\"1\">\n"
        "<g b=\"1\">\n</g>\n"                                 // empty
        "<g b=\"2\">\n<g c=\"1\">\n</g>\n</g>\n"              // empty once its child is gone
        "<g b=\"3\">\n<x/>\n</g>\n<g b=\"3\">\n<y/>\n</g>\n"  // joined
        "<g b=\"4\">\n<z/>\n</g>\n<text>kept</text>\n<g b=\"4\">\n<w/>\n</g>\n"  // apart
        "</g>\n</svg>\n";
    EXPECT_EQ(compact_svg(svg),
              "<svg>\n<g a=\"1\">\n"
              "<g b=\"3\">\n<x/>\n<y/>\n</g>\n"
              "<g b=\"4\">\n<z/>\n</g>\n<text>kept</text>\n<g b=\"4\">\n<w/>\n</g>\n"
              "</g>\n</svg>\n");
}

TEST(SvgCompaction, MovesAMarksTranslationIntoItsCircle) {
    const std::string mark_a =
        "<g fill=\"#28a03c\" transform=\"matrix(1,0,0,1,84.5,78.25)\"\n>\n"
        "<circle cx=\"2.5\" cy=\"2.5\" r=\"2.5\"/>\n</g>\n";
    const std::string mark_b =
        "<g fill=\"#28a03c\" transform=\"matrix(1,0,0,1,88.75,-3)\"\n>\n"
        "<circle cx=\"2.5\" cy=\"2.5\" r=\"2.5\"/>\n</g>\n";
    EXPECT_EQ(compact_svg(mark_a + mark_b),
              "<g fill=\"#28a03c\" transform=\"matrix(1,0,0,1,0,0)\"\n>\n"
              "<circle cx=\"87\" cy=\"80.75\" r=\"2.5\"/>\n"
              "<circle cx=\"91.25\" cy=\"-0.5\" r=\"2.5\"/>\n</g>\n");

    // A scale, or anything beside the circle, keeps its group as it was.
    const std::string scaled =
        "<g transform=\"matrix(2,0,0,2,10,10)\">\n<circle cx=\"1\" cy=\"1\" r=\"1\"/>\n</g>";
    EXPECT_EQ(compact_svg(scaled), scaled);
    const std::string two =
        "<g transform=\"matrix(1,0,0,1,10,10)\">\n<circle cx=\"1\" cy=\"1\" r=\"1\"/>\n"
        "<circle cx=\"3\" cy=\"1\" r=\"1\"/>\n</g>";
    EXPECT_EQ(compact_svg(two), two);
}

TEST(SvgCompaction, LeavesOtherElementsStartingWithGAlone) {
    const std::string svg = "<glyph d=\"M0 0\"/>\n<g a=\"1\">\n<glyph/>\n</g>\n";
    EXPECT_EQ(compact_svg(svg), svg);
}

// 201 points whose margins wander through every lamp zone, with a Monte
// Carlo band: many marks of each colour, in runs.
SweepChartData wandering_sweep() {
    SweepChartData data;
    data.title = "wandering";
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    for (int i = 0; i < 201; ++i) {
        ChartPoint p;
        p.x = 1 + 0.085 * i;
        const double wave = std::sin(i / 15.0);
        p.expanded_db = 0.3 + 0.1 * wave;
        p.rss_db = 0.25 + 0.08 * wave;
        p.mc_lo_db = -0.28 - 0.1 * wave;
        p.mc_hi_db = 0.31 + 0.1 * wave;
        const double margin = 2.5 * wave;
        p.margin_db = {1 + margin, 5 + margin, 3 + 0.5 * margin};
        for (std::size_t g = 0; g < 3; ++g) {
            const double over = *p.margin_db[g] - (g == 0 ? 1 : g == 1 ? 5 : 3);
            p.lamp[g] = over >= 0 ? Lamp::green : over >= -1 ? Lamp::yellow : Lamp::red;
        }
        data.points.push_back(p);
    }
    return data;
}

QImage drawn(const QByteArray& svg) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(1000, 760, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

TEST(SvgChartFile, DrawsExactlyWhatTheGeneratorWroteInAFractionOfTheSize) {
    const SweepChartData data = wandering_sweep();
    QBuffer raw;
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&raw);
        generator.setSize(QSize(1000, 760));
        generator.setViewBox(QRectF(0, 0, 1000, 760));
        generator.setResolution(96);
        QPainter painter(&generator);
        painter.setRenderHint(QPainter::Antialiasing);
        paint_sweep_charts(painter, QRectF(0, 0, 1000, 760), data);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.svg"));
    write_sweep_charts(data, path, QSize(1000, 760));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();

    EXPECT_LT(written.size(), raw.data().size() / 2);
    EXPECT_EQ(drawn(written), drawn(raw.data()));
}

}  // namespace
}  // namespace orlavex::charts
