// The report as HTML or as a PDF drawn by Qt's rich text: the same page,
// the charts drawn as vectors by an image handler that paints them.
#include "plot/report_files.h"

#include "charts/sweep_charts.h"
#include "datafiles/output_file.h"
#include "plot/chart_scene.h"
#include "plot/outline_text_device.h"

#include <cmath>
#include <memory>
#include <optional>
#include <string_view>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextObjectInterface>

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

// Draws the images named "chart:..." straight from the charts, as vectors.
class ChartObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

  public:
    explicit ChartObjects(const charts::SweepChartData& data)
        : uncertainty_(charts::make_uncertainty_chart(data), report_chart_size),
          margins_(charts::make_margin_chart(data), report_chart_size) {}

    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override {
        const QTextImageFormat image = format.toImageFormat();
        return {image.width(), image.height()};
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                    const QTextFormat& format) override {
        const QString name = format.toImageFormat().name();
        ChartScene& chart = name == QLatin1String("chart:margins") ? margins_ : uncertainty_;
        // Text as outlines, as the charts' SVG drew it: the page then holds
        // no chart fonts and looks the same wherever it is shown. Filled
        // twice: Qt's SVG renderer filled each label again with the next
        // one of its axis or legend, and the charts' text kept that weight.
        painter->save();
        OutlineTextDevice outlines(*painter, 2);
        QPainter drawing(&outlines);
        chart.render(drawing, rect);
        drawing.end();
        painter->restore();
    }

  private:
    ChartScene uncertainty_, margins_;
};

// Qt's rich text knows no "keep with next": a section whose heading has
// less room than this below it on its page starts the next page instead.
constexpr double room_after_heading_px = 160;

// The first section whose heading would end a page; none when every heading
// has its text below it. The document holds one <h2> per section, in order.
std::optional<std::size_t> stranded_heading(const QTextDocument& document) {
    const double page = document.pageSize().height();
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    std::size_t section = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 2) continue;
        const QRectF box = layout->blockBoundingRect(block);
        const double room = page - std::fmod(box.top(), page);
        if (room < box.height() + room_after_heading_px) return section;
        ++section;
    }
    return std::nullopt;
}

// CONTENT set into DOCUMENT, its sections moved to new pages where their
// headings would be stranded (Qt lays a changed block out again wrongly, so
// the page is set anew each time).
void set_paged(QTextDocument& document, ReportContent content, const ChartSvgs& charts) {
    for (;;) {
        document.setHtml(
            QString::fromStdString(report_html(content, charts, HtmlReader::rich_text)));
        const std::optional<std::size_t> stranded = stranded_heading(document);
        if (!stranded || *stranded >= content.sections.size() ||
            content.sections[*stranded].new_page)
            return;
        content.sections[*stranded].new_page = true;
    }
}

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
    // Each chart across the text's width, in its own proportions.
    ChartSvgs charts;
    charts.as_images = true;
    charts.image_height =
        static_cast<int>(width * report_chart_size.height() / report_chart_size.width());
    charts.image_width = static_cast<int>(width);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10);
    document.setDefaultFont(font);
    document.setPageSize(QSizeF(width, body));
    ChartObjects objects(content.chart);
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, &objects);
    set_paged(document, content, charts);

    QPainter painter;
    if (!painter.begin(&writer)) throw ReportFileError("cannot write " + path.toStdString());
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.scale(layout_scale, layout_scale);
        painter.translate(0, -i * body);
        document.drawContents(&painter, QRectF(0, i * body, width, body));
        painter.restore();
        draw_footer(painter, QRectF(0, 0, page.width(), page.height()), content, i + 1, pages);
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

#include "report_files.moc"
