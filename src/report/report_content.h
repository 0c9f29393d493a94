// A measurement-plan report as plain values: headed sections of paragraphs
// and tables whose cells are already written as the CSV and JSON writers
// write them, plus the sweep's charts as data. The HTML and PDF writers
// only lay these values out.
#pragma once

#include "charts/sweep_chart_data.h"

#include <string>
#include <vector>

namespace orlavex::report {

struct ReportTable {
    std::string caption;  // may be empty
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> marked;  // per row: drawn out (the worst point); may be shorter than rows
    std::vector<std::string> row_keys;  // per row, e.g. "worst"; may be empty
    // Per row and cell: "green", "yellow", "red" for a lamp's colour, or empty.
    std::vector<std::vector<std::string>> styles;
    bool numbers_right = true;  // right-align every column after the first
    bool wide = false;          // many columns: set in a smaller type
};

// A small drawing as plain vectors on a canvas WIDTH by HEIGHT units across
// (y downwards, a unit a CSS pixel): the HTML writes it as inline SVG, the
// PDF draws it with a painter. A text's Y is its baseline; its size is
// the drawing's one text size.
struct DrawingLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string colour;  // "#rrggbb"
    double width = 1;
    bool dashed = false;
};
enum class TextAnchor { start, middle, end };
struct DrawingText {
    double x = 0, y = 0;
    std::string text;
    std::string colour;  // "#rrggbb"
    TextAnchor anchor = TextAnchor::start;
    bool bold = false;
};
struct ReportDrawing {
    std::string caption;
    double width = 0, height = 0;
    double text_size = 11;
    std::vector<DrawingLine> lines;
    std::vector<DrawingText> texts;
};

// Where a section shows the sweep's charts: both, or only the uncertainty
// chart (a sweep without classic figures has no guideline margins).
enum class Charts { none, both, uncertainty };

struct ReportSection {
    std::string id;  // "setup", "sweep", ...: the anchor and the tests' handle
    std::string heading;
    std::vector<std::string> paragraphs;
    std::vector<ReportTable> tables;
    std::vector<std::string> bullets;
    std::vector<ReportDrawing> drawings;  // after the text, before the charts and tables
    Charts charts = Charts::none;
    bool new_page = false;  // printed from the top of a page
};

struct ReportContent {
    std::string title;
    std::string subtitle;  // the set-up in a few words
    std::string date;      // ISO 8601, e.g. "2026-12-10 00:41 UTC"
    std::string version;   // the program's
    std::vector<ReportSection> sections;
    charts::SweepChartData chart;
};

}  // namespace orlavex::report
