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

// Where a section shows the sweep's charts: both, or only the uncertainty
// chart (a sweep without classic figures has no guideline margins).
enum class Charts { none, both, uncertainty };

struct ReportSection {
    std::string id;  // "setup", "sweep", ...: the anchor and the tests' handle
    std::string heading;
    std::vector<std::string> paragraphs;
    std::vector<ReportTable> tables;
    std::vector<std::string> bullets;
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
