#include "plot/pdf_pages.h"

#include "plot/pdf_drawing.h"
#include "report/report_html.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextLayout>

namespace orlavex::report {

namespace {

// The page's spacing as Qt's rich text set it from the report's styles,
// in layout units: the frame's margin around everything, a chart's margins
// above and below it, a table's (and its caption's) likewise. Neighbouring
// margins collapse into the larger.
// A run of text that starts a page loses part of its top margin there
// (the page's header more, as the body's margin goes too). A chart stands
// in a line of the body's line height, 135 % of its own, at its top; a
// wide table in a block of its own, a little further down.
struct Spacing {
    double frame;
    double header_top_trim, section_top_trim;
    double chart_above, chart_below, chart_line;
    double table_above, wide_table_above, table_below;
    double caption_above, caption_below;
    double heading_room;  // below a section's heading, or it starts a page
};
constexpr Spacing spacing{4, 30, 6, 17, 13.33, 1.35, 15, 25, 12.27, 17, 14, 160};

// The first block's top margin and the last's bottom margin of DOCUMENT.
std::pair<double, double> outer_margins(const QTextDocument& document) {
    return {document.begin().blockFormat().topMargin(),
            document.lastBlock().blockFormat().bottomMargin()};
}

// Each line of DOCUMENT as its top and bottom, in order.
std::vector<std::pair<double, double>> lines_of(const QTextDocument& document) {
    std::vector<std::pair<double, double>> lines;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block);  // laid out
        const QTextLayout* text = block.layout();
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            const double top = text->position().y() + line.y();
            lines.emplace_back(top, top + line.height());
        }
    }
    return lines;
}

}  // namespace

struct PdfPages::Cursor {
    double y;
    double margin;  // the bottom margin of what was placed last
    bool fresh;     // nothing placed on the page yet
};

PdfPages::~PdfPages() = default;

PdfPages::PdfPages(const ReportContent& content, QPaintDevice& device, const QFont& font,
                   QSizeF body, QSizeF chart)
    : caption_font_(font), body_(body), chart_(chart) {
    caption_font_.setBold(true);
    caption_height_ = QFontMetricsF(caption_font_, &device).height();
    const auto text_run = [&](const ReportSection* section) {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&device);
        document->setDefaultFont(font);
        document->setDocumentMargin(0);
        document->setTextWidth(body.width() - 2 * spacing.frame);
        document->setHtml(QString::fromStdString(report_text_html(content, section)));
        runs_.push_back(std::move(document));
        return runs_.size() - 1;
    };
    pages_.emplace_back();
    Cursor at{spacing.frame, 0, true};
    place_text(at, text_run(nullptr), false);
    for (const ReportSection& section : content.sections) {
        if (section.new_page && !at.fresh) {
            pages_.emplace_back();
            at = {spacing.frame, 0, true};
        }
        place_text(at, text_run(&section), true);
        for (const ReportDrawing& drawing : section.drawings) {
            drawings_.push_back(drawing);
            place_drawing(at, drawings_.size() - 1);
        }
        const int charts = section.charts == Charts::both          ? 2
                           : section.charts == Charts::uncertainty ? 1
                                                                   : 0;
        for (int c = 0; c < charts; ++c)
            place_chart(at, c);
        for (const ReportTable& table : section.tables) {
            tables_.push_back(
                std::make_unique<PdfTable>(table, device, font, body.width() - 2 * spacing.frame));
            captions_.push_back(QString::fromStdString(table.caption));
            place_table(at, tables_.size() - 1);
        }
    }
}

void PdfPages::place_text(Cursor& at, std::size_t run, bool heading_first) {
    const QTextDocument& document = *runs_[run];
    const auto [above, below] = outer_margins(document);
    const std::vector<std::pair<double, double>> lines = lines_of(document);
    if (lines.empty()) return;
    double from = lines.front().first;
    const double trimmed =
        above - (heading_first ? spacing.section_top_trim : spacing.header_top_trim);
    double y = at.fresh ? at.y + trimmed : at.y + std::max(at.margin, above);
    if (heading_first && !at.fresh) {
        const double heading =
            document.documentLayout()->blockBoundingRect(document.begin()).height();
        if (y + heading + spacing.heading_room > body_.height()) {
            pages_.emplace_back();
            at = {spacing.frame, 0, true};
            y = at.y + trimmed;
        }
    }
    std::size_t first = 0;
    for (;;) {
        std::size_t last = first;
        while (last < lines.size() && y + lines[last].second - from <= body_.height())
            ++last;
        // Where not even a line fits, the rest goes to the next page; a
        // line taller than a whole page stands on one alone.
        if (last == first && at.fresh) last = first + 1;
        const double to = last < lines.size() ? lines[last].first : lines.back().second;
        if (last > first) {
            pages_.back().push_back({Placed::text, run, 0, y, from, to, to - from});
            at.fresh = false;
        }
        if (last >= lines.size()) {
            at.y = y + to - from;
            break;
        }
        pages_.emplace_back();
        at = {spacing.frame, 0, true};
        y = at.y;
        from = to;
        first = last;
    }
    at.margin = below;
}

void PdfPages::place_chart(Cursor& at, int number) {
    double y = at.y + std::max(at.margin, spacing.chart_above);
    if (y + chart_.height() > body_.height() && !at.fresh) {
        pages_.emplace_back();
        at = {spacing.frame, 0, true};
        y = at.y + spacing.chart_above;
    }
    pages_.back().push_back(
        {Placed::chart, static_cast<std::size_t>(number), 0, y, 0, 0, chart_.height()});
    at = {y + chart_.height() * spacing.chart_line, spacing.chart_below, false};
}

void PdfPages::place_table(Cursor& at, std::size_t index) {
    const PdfTable& table = *tables_[index];
    const bool captioned = !captions_[index].isEmpty();
    const double caption = captioned ? caption_height_ + spacing.caption_below : 0;
    const double above = captioned      ? spacing.caption_above
                         : table.wide() ? spacing.wide_table_above
                                        : spacing.table_above;
    double y = at.y + std::max(at.margin, above);
    // The caption, the header and the first row go together.
    const double opening =
        caption + table.header_height() + (table.rows() > 0 ? table.row_height(0) : 0);
    if (y + opening > body_.height() && !at.fresh) {
        pages_.emplace_back();
        at = {spacing.frame, 0, true};
        y = at.y + above;
    }
    if (captioned) pages_.back().push_back({Placed::text, index, 0, y, -1, -1, caption_height_});
    y += caption;
    pages_.back().push_back({Placed::table_header, index, 0, y, 0, 0, table.header_height()});
    y += table.header_height();
    for (std::size_t r = 0; r < table.rows(); ++r) {
        if (y + table.row_height(r) > body_.height()) {
            pages_.emplace_back();
            y = spacing.frame;
            pages_.back().push_back(
                {Placed::table_header, index, 0, y, 0, 0, table.header_height()});
            y += table.header_height();
        }
        pages_.back().push_back({Placed::table_row, index, r, y, 0, 0, table.row_height(r)});
        y += table.row_height(r);
    }
    at = {y, spacing.table_below, false};
}

// A drawing with its caption above it, spaced as a table and its caption;
// kept whole on a page.
void PdfPages::place_drawing(Cursor& at, std::size_t index) {
    const ReportDrawing& drawing = drawings_[index];
    const double caption = drawing.caption.empty() ? 0 : caption_height_ + spacing.caption_below;
    const double height =
        caption + drawing_size(drawing, body_.width() - 2 * spacing.frame).height();
    double y = at.y + std::max(at.margin, spacing.caption_above);
    if (y + height > body_.height() && !at.fresh) {
        pages_.emplace_back();
        at = {spacing.frame, 0, true};
        y = at.y + spacing.caption_above;
    }
    pages_.back().push_back({Placed::drawing, index, 0, y, 0, 0, height});
    at = {y + height, spacing.table_below, false};
}

void PdfPages::draw(QPainter& painter, int index, const DrawChart& chart) const {
    const double left = spacing.frame;
    const double width = body_.width() - 2 * spacing.frame;
    for (const Placed& p : pages_[static_cast<std::size_t>(index)]) {
        switch (p.kind) {
            case Placed::text:
                painter.save();
                if (p.from < 0) {  // a table's caption
                    painter.setFont(caption_font_);
                    painter.setPen(QColor(0x1a1a1a));
                    painter.drawText(QRectF(left, p.y, width, body_.height()),
                                     Qt::AlignLeft | Qt::AlignTop, captions_[p.item]);
                } else {
                    painter.translate(left, p.y - p.from);
                    runs_[p.item]->drawContents(&painter, QRectF(0, p.from, width, p.to - p.from));
                }
                painter.restore();
                break;
            case Placed::chart:
                chart(painter, QRectF(QPointF(left, p.y), chart_), static_cast<int>(p.item));
                break;
            case Placed::table_header:
                tables_[p.item]->draw_header(painter, QPointF(left, p.y));
                break;
            case Placed::table_row:
                tables_[p.item]->draw_row(painter, p.row, QPointF(left, p.y));
                break;
            case Placed::drawing: {
                const ReportDrawing& drawing = drawings_[p.item];
                double y = p.y;
                if (!drawing.caption.empty()) {
                    painter.save();
                    painter.setFont(caption_font_);
                    painter.setPen(QColor(0x1a1a1a));
                    painter.drawText(QRectF(left, y, width, body_.height()),
                                     Qt::AlignLeft | Qt::AlignTop,
                                     QString::fromStdString(drawing.caption));
                    painter.restore();
                    y += caption_height_ + spacing.caption_below;
                }
                draw_report_drawing(painter, drawing, QPointF(left, y), width);
                break;
            }
        }
    }
}

}  // namespace orlavex::report
