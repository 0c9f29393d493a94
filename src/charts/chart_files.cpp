#include "charts/chart_files.h"

#include <cmath>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QGraphicsScene>
#include <QImage>
#include <QSvgGenerator>

#include "charts/png_file.h"
#include "charts/svg_compaction.h"
#include "charts/svg_metadata.h"
#include "charts/sweep_charts.h"

namespace orlavex::charts {

namespace {

// The uncertainty chart takes this share of the height, the margins the rest.
constexpr double uncertainty_share = 0.55;

// Image files are drawn at the screen's usual 96 dots per inch, so point
// sizes of the fonts look the same in the PNG and the SVG.
constexpr int dots_per_inch = 96;

}  // namespace

void paint_sweep_charts(QPainter& painter, const QRectF& target, const SweepChartData& data) {
    const double width = target.width(), height = target.height();
    const double split = std::round(height * uncertainty_share);
    QGraphicsScene scene(0, 0, width, height);
    scene.setBackgroundBrush(Qt::white);
    QChart* upper = make_uncertainty_chart(data).release();
    QChart* lower = make_margin_chart(data).release();
    scene.addItem(upper);  // the scene owns the charts from here
    scene.addItem(lower);
    upper->setGeometry(QRectF(0, 0, width, split));
    lower->setGeometry(QRectF(0, split, width, height - split));
    // The charts lay out their axes and legends on posted events.
    QCoreApplication::sendPostedEvents();
    scene.render(&painter, target, scene.sceneRect());
}

void write_sweep_charts(const SweepChartData& data, const QString& path, QSize size) {
    const auto format = image_format_of(path.toStdString());
    if (!format)
        throw ChartFileError("the plot file must end in .png or .svg: " + path.toStdString());
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (*format == ImageFormat::png) {
        QImage image(size, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dots_per_inch / 0.0254));
        image.setDotsPerMeterY(qRound(dots_per_inch / 0.0254));
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            paint_sweep_charts(painter, area, data);
        }
        if (!write_png(image, path, data.metadata))
            throw ChartFileError("cannot write " + path.toStdString());
        return;
    }
    QBuffer drawn;
    QSvgGenerator generator;
    generator.setOutputDevice(&drawn);
    generator.setSize(size);
    generator.setViewBox(area);
    generator.setResolution(dots_per_inch);
    generator.setTitle(QString::fromStdString(data.title.empty() ? "Sweep" : data.title));
    generator.setDescription(QStringLiteral("Orlavex sweep: uncertainty and guideline margins"));
    QPainter painter;
    if (!painter.begin(&generator)) throw ChartFileError("cannot write " + path.toStdString());
    painter.setRenderHint(QPainter::Antialiasing);
    paint_sweep_charts(painter, area, data);
    if (!painter.end()) throw ChartFileError("cannot write " + path.toStdString());
    const std::string svg =
        with_svg_metadata(compact_svg(std::string_view(drawn.data().constData(),
                                                       static_cast<std::size_t>(drawn.size()))),
                          data.metadata);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(svg.data(), static_cast<qint64>(svg.size())) !=
            static_cast<qint64>(svg.size()) ||
        !file.flush()) {
        throw ChartFileError("cannot write " + path.toStdString());
    }
}

}  // namespace orlavex::charts
