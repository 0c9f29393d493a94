// The report's charts, each drawn on its own into an SVG document so that
// the page can break between them, written as compact SVG text straight
// from the painting.
#include "plot/report_files.h"

#include "charts/sweep_charts.h"
#include "plot/chart_scene.h"
#include "plot/svg_writer.h"

#include <memory>
#include <utility>

#include <QPainter>

namespace orlavex::report {

namespace {

std::string chart_svg(std::unique_ptr<QChart> chart, const std::string& title) {
    const QRectF area(QPointF(0, 0), QSizeF(report_chart_size));
    ChartScene scene(std::move(chart), report_chart_size);
    SvgWriter writer(report_chart_size);
    QPainter painter;
    if (!painter.begin(&writer)) throw ReportFileError("cannot draw the charts");
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(painter, area);
    painter.end();
    return writer.document(title);
}

}  // namespace

ChartSvgs draw_chart_svgs(const charts::SweepChartData& data) {
    ChartSvgs svgs;
    const bool measured = charts::is_measured(data);
    charts::ChartPair pair = charts::make_charts(data);
    svgs.uncertainty =
        chart_svg(std::move(pair.upper), measured ? "Measured noise figure of the DUT"
                                                  : "Uncertainty of the DUT noise figure");
    svgs.margins =
        chart_svg(std::move(pair.lower), measured ? "Gain of the DUT" : "Guideline margins");
    svgs.image_width = report_chart_size.width();
    svgs.image_height = report_chart_size.height();
    return svgs;
}

}  // namespace orlavex::report
