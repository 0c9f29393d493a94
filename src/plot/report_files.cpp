// The report as HTML, or as a PDF of the same page laid out once by
// PdfPages: its text set by Qt's rich text, its tables and charts (as
// vectors) drawn straight onto the pages.
#include "plot/report_files.h"

#include "charts/sweep_charts.h"
#include "datafiles/output_file.h"
#include "plot/chart_scene.h"
#include "plot/outline_text_device.h"
#include "plot/pdf_pages.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>

namespace orlavex::report {

namespace {

// Layout units of the PDF: CSS pixels, so that the page's sizes read as in
// a browser.
constexpr int pdf_dots_per_inch = 96;
constexpr double page_margin_mm = 15;
constexpr double footer_height_px = 28;
// The page is laid out this much wider and drawn scaled down, so that the
// sweep's table fits across portrait paper (Qt's rich text keeps a table's
// own font sizes).
constexpr double layout_scale = 0.8;

QPageSize page_size(Paper paper) {
    return QPageSize(paper == Paper::a4 ? QPageSize::A4 : QPageSize::Letter);
}

// BYTES as the whole of the file at PATH, or the file as it was.
void write_file(const QString& path, std::string_view bytes) {
    const std::string file = path.toStdString();
    if (const std::string why = datafiles::write_output_file(file, bytes); !why.empty())
        throw ReportFileError("cannot write " + file + ": " + why);
}

void draw_footer(QPainter& painter, const QRectF& area, const ReportContent& content, int page,
                 int pages) {
    painter.save();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(7.5);
    painter.setFont(font);
    painter.setPen(QColor(0x55, 0x55, 0x55));
    const QString left = QString::fromStdString(content.title + " – " + content.subtitle);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, left);
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("page %1 of %2").arg(page).arg(pages));
    painter.restore();
}

void write_pdf(const ReportContent& content, const QString& path, Paper paper) {
    // Drawn in memory and written in one go: QPdfWriter does not tell of a
    // write that failed, and a full disk must not pass for a report.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(pdf_dots_per_inch);
    writer.setPageSize(page_size(paper));
    writer.setPageMargins(QMarginsF(page_margin_mm, page_margin_mm, page_margin_mm, page_margin_mm),
                          QPageLayout::Millimeter);
    writer.setTitle(QString::fromStdString(content.title + " – " + content.subtitle));
    writer.setCreator(QString::fromStdString("Orlavex " + content.version));
    const QRectF page = writer.pageLayout().paintRectPixels(pdf_dots_per_inch);

    const double width = page.width() / layout_scale;
    const double body = (page.height() - footer_height_px) / layout_scale;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10);
    // Each chart across the text's width, in its own proportions.
    const QSizeF chart(std::floor(width),
                       std::floor(width * report_chart_size.height() / report_chart_size.width()));
    const PdfPages pages(content, writer, font, QSizeF(width, body), chart);
    charts::ChartPair pair = charts::make_charts(content.chart);
    ChartScene uncertainty(std::move(pair.upper), report_chart_size);
    ChartScene margins(std::move(pair.lower), report_chart_size);
    // Text as outlines, as the charts' SVG drew it: the page then holds no
    // chart fonts and looks the same wherever it is shown. Filled twice:
    // Qt's SVG renderer filled each label again with the next one of its
    // axis or legend, and the charts' text kept that weight.
    const DrawChart draw_chart = [&](QPainter& painter, const QRectF& box, int number) {
        painter.save();
        OutlineTextDevice outlines(painter, 2);
        QPainter drawing(&outlines);
        (number == 1 ? margins : uncertainty).render(drawing, box);
        drawing.end();
        painter.restore();
    };

    QPainter painter;
    if (!painter.begin(&writer)) throw ReportFileError("cannot write " + path.toStdString());
    for (int i = 0; i < pages.count(); ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.scale(layout_scale, layout_scale);
        pages.draw(painter, i, draw_chart);
        painter.restore();
        draw_footer(painter, QRectF(0, 0, page.width(), page.height()), content, i + 1,
                    pages.count());
    }
    if (!painter.end()) throw ReportFileError("cannot write " + path.toStdString());
    write_file(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace

void write_report(const ReportContent& content, const QString& path, Paper paper) {
    const std::optional<ReportFormat> format = report_format_of(path.toStdString());
    if (!format)
        throw ReportFileError("the report file must end in .html or .pdf: " + path.toStdString());
    if (*format == ReportFormat::html) {
        write_file(path, report_html(content, draw_chart_svgs(content.chart)));
        return;
    }
    write_pdf(content, path, paper);
}

}  // namespace orlavex::report
