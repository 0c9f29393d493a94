#include "charts/chart_files.h"

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>

#include <QBuffer>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QSvgGenerator>

#include "charts/file_metadata.h"
#include "charts/png_file.h"
#include "charts/svg_compaction.h"
#include "charts/sweep_charts.h"
#include "datafiles/output_file.h"

namespace orlavex::charts {

namespace {

// The upper chart (the uncertainty, a measurement's noise figure) takes
// this share of the height, the lower one the rest.
constexpr double uncertainty_share = 0.55;

// Image files are drawn at the screen's usual 96 dots per inch, so point
// sizes of the fonts look the same in the PNG and the SVG.
constexpr int dots_per_inch = 96;

std::vector<PngText> png_texts(const FileMetadata& about) {
    std::vector<PngText> texts = {{"Software", about.software},
                                  {"Creation Time", about.creation_time},
                                  {"Description", about.description}};
    if (!about.setup.empty()) texts.push_back({"orlavex:setup", about.setup});
    return texts;
}

// SVG with the set-up as the content of a <metadata> element, right after
// the opening <svg> tag.
std::string with_setup_metadata(std::string svg, const FileMetadata& about) {
    if (about.setup.empty()) return svg;
    const std::size_t svg_tag = svg.find("<svg");
    const std::size_t tag_end = svg_tag == std::string::npos ? svg_tag : svg.find('>', svg_tag);
    if (tag_end == std::string::npos) return svg;
    svg.insert(tag_end + 1,
               "\n<metadata id=\"orlavex-setup\">" + xml_escaped(about.setup) + "</metadata>");
    return svg;
}

// BYTES as the whole of the file at PATH, or the file as it was.
void write_file(const QString& path, std::string_view bytes) {
    const std::string file = path.toStdString();
    if (const std::string why = datafiles::write_output_file(file, bytes); !why.empty())
        throw ChartFileError("cannot write " + file + ": " + why);
}

}  // namespace

void paint_sweep_charts(QPainter& painter, const QRectF& target, const SweepChartData& data) {
    const double width = target.width(), height = target.height();
    const double split = std::round(height * uncertainty_share);
    QGraphicsScene scene(0, 0, width, height);
    scene.setBackgroundBrush(Qt::white);
    ChartPair charts = make_charts(data);
    QChart* upper = charts.upper.release();
    QChart* lower = charts.lower.release();
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
    const FileMetadata about = file_metadata(data, std::chrono::system_clock::now());
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
        const std::optional<std::string> png = png_bytes(image, png_texts(about));
        if (!png)
            throw ChartFileError("cannot write " + path.toStdString() + ": " +
                                 std::strerror(ENOMEM));
        write_file(path, *png);
        return;
    }
    QBuffer drawn;
    QSvgGenerator generator;
    generator.setOutputDevice(&drawn);
    generator.setSize(size);
    generator.setViewBox(area);
    generator.setResolution(dots_per_inch);
    // QSvgGenerator writes the title and description as they are, markup
    // and all: escaped here, so that a "<" or "&" in them keeps the SVG well formed.
    generator.setTitle(
        QString::fromStdString(xml_escaped(data.title.empty() ? "Sweep" : data.title)));
    generator.setDescription(QString::fromStdString(xml_escaped(about.description)));
    QPainter painter;
    if (!painter.begin(&generator)) throw ChartFileError("cannot write " + path.toStdString());
    painter.setRenderHint(QPainter::Antialiasing);
    paint_sweep_charts(painter, area, data);
    if (!painter.end()) throw ChartFileError("cannot write " + path.toStdString());
    const std::string svg =
        with_setup_metadata(compact_svg(std::string_view(drawn.data().constData(),
                                                         static_cast<std::size_t>(drawn.size()))),
                            about);
    write_file(path, svg);
}

}  // namespace orlavex::charts
