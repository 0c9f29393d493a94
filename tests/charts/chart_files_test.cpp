// The chart files: a PNG that reads back as exactly the picture drawn, at
// the screen's resolution, and an SVG of a long sweep of modest size.
#include "charts/chart_files.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace orlavex::charts {
namespace {

SweepChartData long_sweep(int count) {
    SweepChartData data;
    data.title = "long";
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    for (int i = 0; i < count; ++i) {
        ChartPoint p;
        p.x = 1 + 17.0 * i / (count - 1);
        const double wave = std::sin(i / 40.0);
        p.expanded_db = 0.3 + 0.1 * wave;
        p.rss_db = 0.25 + 0.08 * wave;
        p.mc_lo_db = -0.28 - 0.1 * wave;
        p.mc_hi_db = 0.31 + 0.1 * wave;
        p.margin_db = {1 + 2.5 * wave, 5 + 2.5 * wave, 3 + wave};
        for (std::size_t g = 0; g < 3; ++g)
            p.lamp[g] = wave > 0 ? Lamp::green : wave > -0.4 ? Lamp::yellow : Lamp::red;
        p.held = i > count - 20;
        data.points.push_back(p);
    }
    return data;
}

TEST(PngChartFile, ReadsBackAsExactlyThePictureDrawn) {
    const SweepChartData data = long_sweep(101);
    const QSize size(800, 600);
    QImage expected(size, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        paint_sweep_charts(painter, QRectF(QPointF(0, 0), QSizeF(size)), data);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.png"));
    write_sweep_charts(data, path, size);
    const QImage read(path, "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), size);
    EXPECT_EQ(read.dotsPerMeterX(), 3780);  // 96 dots per inch
    EXPECT_EQ(read.dotsPerMeterY(), 3780);
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), expected);
}

TEST(PngChartFile, RefusesAFileItCannotWrite) {
    QTemporaryDir dir;
    EXPECT_THROW(write_sweep_charts(long_sweep(5), dir.filePath(QStringLiteral("no/such.png"))),
                 ChartFileError);
}

TEST(SvgChartFile, KeepsA1001PointSweepUnderAMegabyte) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chart.svg"));
    write_sweep_charts(long_sweep(1001), path);
    EXPECT_LT(QFile(path).size(), 1'000'000);
    EXPECT_GT(QFile(path).size(), 100'000);  // curves and marks, not an empty page
}

}  // namespace
}  // namespace orlavex::charts
