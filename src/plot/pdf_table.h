// One of the report's tables laid out for the PDF and drawn with a painter:
// cells' text in their columns (an auto layout as a browser's: every column
// as wide as its text where the table fits, long text wrapped where it does
// not), 1 px rules between the cells, the header drawn again at the top of
// every page the table continues on. Sizes in the PDF's layout units.
#pragma once

#include "report/report_content.h"

#include <memory>
#include <vector>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QTextLayout>

namespace orlavex::report {

class PdfTable {
  public:
    // TABLE at most WIDTH across, its text measured on DEVICE (the PDF's,
    // at its layout resolution) in BASE, the page's body font.
    PdfTable(const ReportTable& table, QPaintDevice& device, const QFont& base, double width);
    PdfTable(const PdfTable&) = delete;
    PdfTable& operator=(const PdfTable&) = delete;
    ~PdfTable();

    double width() const { return width_; }
    bool wide() const { return wide_; }
    double header_height() const { return heights_.front(); }
    std::size_t rows() const { return heights_.size() - 1; }
    double row_height(std::size_t row) const { return heights_[row + 1]; }

    // The header, or body ROW, with its top left corner at AT; each draws
    // its own cells' rules, so that any run of rows after a header is
    // boxed in full.
    void draw_header(QPainter& painter, QPointF at) const { draw_line(painter, 0, at); }
    void draw_row(QPainter& painter, std::size_t row, QPointF at) const {
        draw_line(painter, row + 1, at);
    }

  private:
    struct Cell {
        std::unique_ptr<QTextLayout> text;
        QColor background;  // invalid: none
        bool right = false;
        bool wraps = true;
    };

    void lay_out_columns(double width);
    void draw_line(QPainter& painter, std::size_t line, QPointF at) const;

    std::vector<std::vector<Cell>> cells_;  // the header first
    std::vector<double> columns_;           // each column's width, rules included
    std::vector<double> heights_;           // each line's, the header first
    double width_ = 0;
    bool wide_ = false;
    double pad_x_ = 0, pad_y_ = 0, text_inset_ = 0, line_height_ = 1;
};

}  // namespace orlavex::report
