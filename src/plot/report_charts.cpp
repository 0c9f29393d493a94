// The report's charts, each drawn on its own into an SVG document so that
// the page can break between them.
#include "plot/report_files.h"

#include "charts/svg_compaction.h"
#include "charts/sweep_charts.h"

#include <memory>

#include <QBuffer>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QPainter>
#include <QSvgGenerator>

namespace orlavex::report {

namespace {

// Each chart's drawing size; its text sizes are the image files' (96 dpi).
constexpr QSize chart_size{1000, 430};

std::string chart_svg(std::unique_ptr<QChart> chart, const QString& title) {
    const QRectF area(QPointF(0, 0), QSizeF(chart_size));
    QGraphicsScene scene(area);
    scene.setBackgroundBrush(Qt::white);
    QChart* drawn = chart.release();
    scene.addItem(drawn);  // the scene owns it from here
    drawn->setGeometry(area);
    // The chart lays out its axes and legend on posted events.
    QCoreApplication::sendPostedEvents();
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(chart_size);
    generator.setViewBox(area);
    generator.setResolution(96);
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) throw ReportFileError("cannot draw the charts");
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, area, scene.sceneRect());
    painter.end();
    return charts::compact_svg(
        std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.size())));
}

}  // namespace

ChartSvgs draw_chart_svgs(const charts::SweepChartData& data) {
    ChartSvgs svgs;
    svgs.uncertainty = chart_svg(charts::make_uncertainty_chart(data),
                                 QStringLiteral("Uncertainty of the DUT noise figure"));
    svgs.margins = chart_svg(charts::make_margin_chart(data), QStringLiteral("Guideline margins"));
    svgs.image_width = chart_size.width();
    svgs.image_height = chart_size.height();
    return svgs;
}

}  // namespace orlavex::report
