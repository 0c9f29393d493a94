// The report's charts, each drawn on its own into an SVG document so that
// the page can break between them.
#include "plot/report_files.h"

#include "charts/svg_compaction.h"
#include "charts/sweep_charts.h"
#include "plot/chart_scene.h"

#include <memory>
#include <utility>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace orlavex::report {

namespace {

std::string chart_svg(std::unique_ptr<QChart> chart, const QString& title) {
    const QRectF area(QPointF(0, 0), QSizeF(report_chart_size));
    ChartScene scene(std::move(chart), report_chart_size);
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(report_chart_size);
    generator.setViewBox(area);
    generator.setResolution(96);
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) throw ReportFileError("cannot draw the charts");
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(painter, area);
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
    svgs.image_width = report_chart_size.width();
    svgs.image_height = report_chart_size.height();
    return svgs;
}

}  // namespace orlavex::report
