// The report's pages for the PDF, laid out once: its runs of text (the
// header, each section's heading, paragraphs and bullets) set by Qt's rich
// text, its charts and tables placed and broken across pages here. A
// section whose heading would have too little room below it, or one marked
// for a new page, starts a page; a table that breaks repeats its header on
// the next page and never splits a row. Sizes in the PDF's layout units.
#pragma once

#include "plot/pdf_table.h"
#include "report/report_content.h"

#include <functional>
#include <memory>
#include <vector>

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QTextDocument>

namespace orlavex::report {

// Draws chart NUMBER (0: the uncertainty, 1: the margins) across BOX.
using DrawChart = std::function<void(QPainter& painter, const QRectF& box, int number)>;

class PdfPages {
  public:
    // CONTENT on pages of BODY (the page less its margins and footer), its
    // text measured on DEVICE in FONT; each chart of size CHART.
    PdfPages(const ReportContent& content, QPaintDevice& device, const QFont& font, QSizeF body,
             QSizeF chart);
    PdfPages(const PdfPages&) = delete;
    PdfPages& operator=(const PdfPages&) = delete;
    ~PdfPages();

    int count() const { return static_cast<int>(pages_.size()); }
    // Page INDEX (from 0) drawn with its top left corner at the painter's
    // origin.
    void draw(QPainter& painter, int index, const DrawChart& chart) const;

    // What each page holds, for the tests: each table's rows (from 0) in
    // the order they are drawn, a header as -1, by table in the report.
    struct Placed {
        enum Kind { text, chart, table_header, table_row, drawing } kind;
        std::size_t item;  // the text run, chart number, table or drawing
        std::size_t row = 0;
        double y = 0, from = 0, to = 0;  // text: the run's slice [from, to), a caption's -1
        double height = 0;
    };
    const std::vector<std::vector<Placed>>& pages() const { return pages_; }

  private:
    struct Cursor;
    void place_text(Cursor& at, std::size_t run, bool heading_first);
    void place_chart(Cursor& at, int number);
    void place_table(Cursor& at, std::size_t table);
    void place_drawing(Cursor& at, std::size_t drawing);

    std::vector<std::unique_ptr<QTextDocument>> runs_;
    std::vector<std::unique_ptr<PdfTable>> tables_;
    std::vector<QString> captions_;
    std::vector<ReportDrawing> drawings_;
    QFont caption_font_;
    double caption_height_ = 0;
    QSizeF body_;
    QSizeF chart_;
    std::vector<std::vector<Placed>> pages_;
};

}  // namespace orlavex::report
