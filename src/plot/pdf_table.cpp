#include "plot/pdf_table.h"

#include "report/report_html.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include <QFontMetricsF>
#include <QTextOption>

namespace orlavex::report {

namespace {

// The page's table styles as Qt's rich text set them: the body's type (a
// wide table's at 8 pt), cell padding (layout units, as Qt resolved the
// styles' ems), lines 115 % of a whole number of units.
struct TableLook {
    double points;  // 0: the body's
    double pad_x, pad_y;
    double text_inset;  // where a cell's text starts after its left rule and padding
};
constexpr TableLook normal_look{0, 7, 1.875, 1};
constexpr TableLook wide_look{8, 4, 0.985, 2};
constexpr double line_height = 1.15;
constexpr double mono_size = 0.85;  // a SHA-256's type to the cell's

struct Colour {
    const char* style;
    QRgb rgb;
};
constexpr Colour cell_colours[] = {{"green", 0xd8f0d8}, {"yellow", 0xfbf3c2}, {"red", 0xf6d0cc}};
constexpr QRgb header_colour = 0xeef0f3;
constexpr QRgb marked_colour = 0xfde9c8;
constexpr QRgb rule_colour = 0xbbbbbb;
constexpr QRgb text_colour = 0x1a1a1a;

bool looks_numeric(const std::string& text) {
    if (text.empty()) return false;
    const char c = text.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool is_sha256(const std::string& text) {
    return text.size() == 64 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

QColor background(const ReportTable& table, std::size_t r, std::size_t c) {
    if (r < table.styles.size() && c < table.styles[r].size())
        for (const Colour& colour : cell_colours)
            if (table.styles[r][c] == colour.style) return QColor(colour.rgb);
    if (r < table.marked.size() && table.marked[r]) return QColor(marked_colour);
    return {};
}

// TEXT laid out in FONT without width, lines broken only at line breaks.
std::unique_ptr<QTextLayout> text_layout(const QString& text, const QFont& font,
                                         QPaintDevice& device, QTextOption::WrapMode wrap) {
    auto layout = std::make_unique<QTextLayout>(text, font, &device);
    QTextOption option;
    option.setWrapMode(wrap);
    layout->setTextOption(option);
    return layout;
}

// LAYOUT's lines within WIDTH; its height in lines of LINE_HEIGHT.
int lay_out(QTextLayout& layout, double width, double line_pitch) {
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * line_pitch));
        ++lines;
    }
    layout.endLayout();
    return lines;
}

}  // namespace

PdfTable::~PdfTable() = default;

PdfTable::PdfTable(const ReportTable& table, QPaintDevice& device, const QFont& base, double width)
    : wide_(table.wide) {
    const TableLook& look = table.wide ? wide_look : normal_look;
    QFont font = base;
    if (look.points > 0) font.setPointSizeF(look.points);
    pad_x_ = look.pad_x;
    pad_y_ = look.pad_y;
    text_inset_ = look.text_inset;
    const QFontMetricsF metrics(font, &device);
    line_height_ = std::ceil(metrics.height() + metrics.leading()) * line_height;

    QFont bold = font;
    bold.setBold(true);
    QFont mono(QStringLiteral("Liberation Mono"));
    mono.setPointSizeF(font.pointSizeF() * mono_size);

    std::vector<Cell>& header = cells_.emplace_back();
    for (const std::string& h : table.header) {
        QString text = QString::fromStdString(h);
        if (table.wide) {
            text.clear();
            for (const std::string& line : header_lines(h))
                text += (text.isEmpty() ? QString() : QString(QChar::LineSeparator)) +
                        QString::fromStdString(line);
        }
        header.push_back({text_layout(text, bold, device,
                                      table.wide ? QTextOption::ManualWrap : QTextOption::WordWrap),
                          QColor(header_colour), false, !table.wide});
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const bool marked = r < table.marked.size() && table.marked[r];
        std::vector<Cell>& line = cells_.emplace_back();
        for (std::size_t c = 0; c < table.rows[r].size(); ++c) {
            const std::string& text = table.rows[r][c];
            const bool number = c > 0 && table.numbers_right && looks_numeric(text);
            const bool sha = is_sha256(text);
            const bool wraps = c > 0 && !number;
            line.push_back({text_layout(QString::fromStdString(text),
                                        sha      ? mono
                                        : marked ? bold
                                                 : font,
                                        device,
                                        sha     ? QTextOption::WrapAnywhere
                                        : wraps ? QTextOption::WordWrap
                                                : QTextOption::ManualWrap),
                            background(table, r, c), number, wraps});
        }
    }
    lay_out_columns(width);
}

// Each column's narrowest (its longest word) and widest (its longest text
// on one line) width; the table as wide as its widest columns where they
// fit, and otherwise each column's room above its narrowest shared out in
// proportion to what its text would take.
void PdfTable::lay_out_columns(double width) {
    const std::size_t count = std::accumulate(
        cells_.begin(), cells_.end(), std::size_t{0},
        [](std::size_t n, const std::vector<Cell>& l) { return std::max(n, l.size()); });
    std::vector<double> narrowest(count, 0), widest(count, 0);
    // Whole units, as Qt's rich text measured them: a body cell's text a
    // unit wider than a header's.
    for (std::size_t l = 0; l < cells_.size(); ++l) {
        const double frame = 2 * pad_x_ + (l > 0 ? 1 : 0);
        std::vector<Cell>& line = cells_[l];
        for (std::size_t c = 0; c < line.size(); ++c) {
            QTextLayout& text = *line[c].text;
            lay_out(text, 1e6, line_height_);
            const double wide = std::ceil(text.maximumWidth()) + frame;
            widest[c] = std::max(widest[c], wide);
            narrowest[c] = std::max(narrowest[c],
                                    line[c].wraps ? std::ceil(text.minimumWidth()) + frame : wide);
        }
    }
    const double all_widest = std::accumulate(widest.begin(), widest.end(), 1.0);
    const double all_narrowest = std::accumulate(narrowest.begin(), narrowest.end(), 1.0);
    columns_ = widest;
    if (all_widest > width) {
        const double share = std::max(0.0, (width - all_narrowest) / (all_widest - all_narrowest));
        for (std::size_t c = 0; c < count; ++c)
            columns_[c] = std::floor(narrowest[c] + share * (widest[c] - narrowest[c]));
    }
    width_ = std::accumulate(columns_.begin(), columns_.end(), 1.0);
    // A cell whose text fits its column keeps the lines it was measured in;
    // only text wider than its column is laid out again, wrapped.
    for (std::vector<Cell>& line : cells_) {
        int lines = 1;
        for (std::size_t c = 0; c < line.size(); ++c) {
            QTextLayout& text = *line[c].text;
            const double room = columns_[c] - 2 * pad_x_;
            lines = std::max(lines, line[c].wraps && text.maximumWidth() > room
                                        ? lay_out(text, room, line_height_)
                                        : text.lineCount());
        }
        heights_.push_back(lines * line_height_ + 2 * pad_y_ + 1);
    }
}

void PdfTable::draw_line(QPainter& painter, std::size_t line, QPointF at) const {
    const double height = heights_[line];
    painter.save();
    double x = at.x();
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        const QRectF box(x, at.y(), columns_[c] + 1, height + 1);
        x += columns_[c];
        if (c >= cells_[line].size()) continue;
        const Cell& cell = cells_[line][c];
        if (cell.background.isValid())
            painter.fillRect(box.adjusted(1, 1, -1, -1), cell.background);
        painter.setPen(QColor(text_colour));
        double shift = 0;
        if (cell.right && cell.text->lineCount() > 0)
            shift = columns_[c] - 1 - 2 * pad_x_ - cell.text->lineAt(0).naturalTextWidth();
        cell.text->draw(&painter,
                        QPointF(box.left() + text_inset_ + pad_x_ + shift, box.top() + 1 + pad_y_));
    }
    painter.setPen(QPen(QColor(rule_colour), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(at.x() + 0.5, at.y() + 0.5, width_ - 1, height));
    x = at.x();
    for (std::size_t c = 0; c + 1 < columns_.size(); ++c) {
        x += columns_[c];
        painter.drawLine(QPointF(x + 0.5, at.y()), QPointF(x + 0.5, at.y() + height + 1));
    }
    painter.restore();
}

}  // namespace orlavex::report
