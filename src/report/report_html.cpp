#include "report/report_html.h"

#include "app/texts.h"
#include "report/drawing_svg.h"

#include <array>
#include <sstream>
#include <utility>
#include <vector>

namespace orlavex::report {

namespace {

// Screen and print: A4 and Letter both take the page as the printer sets it.
constexpr std::string_view style = R"(
body { font-family: "Liberation Sans", Arial, Helvetica, sans-serif; font-size: 10pt;
       color: #1a1a1a; max-width: 60em; margin: 2em auto; padding: 0 1.5em; line-height: 135%; }
h1 { font-size: 1.7em; margin-bottom: 0.1em; }
h2 { font-size: 1.25em; border-bottom: 1px solid #999; padding-bottom: 0.15em; margin-top: 1.6em; }
.subtitle { font-size: 1.1em; margin-top: 0; }
.meta { color: #555; }
table { border-collapse: collapse; margin: 0.6em 0 1em; font-size: 0.92em; }
caption { text-align: left; font-weight: bold; padding-bottom: 0.2em; }
th, td { border: 1px solid #bbb; padding: 0.15em 0.45em; vertical-align: top; line-height: 115%; }
td.wide, th.wide { font-size: 8pt; padding: 0.1em 0.3em; }
th { background: #eef0f3; text-align: left; }
td.number { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
td.key { white-space: nowrap; }
div.scroll { overflow-x: auto; }
td.mono { font-family: "Liberation Mono", monospace; font-size: 0.85em; word-break: break-all; }
tr.marked td { background: #fde9c8; font-weight: bold; }
td.green { background: #d8f0d8; } td.yellow { background: #fbf3c2; } td.red { background: #f6d0cc; }
.chart { margin: 0.5em 0 1em; }
.chart svg { width: 100%; height: auto; display: block; }
figure.drawing { margin: 0.6em 0 1em; }
figure.drawing figcaption { font-weight: bold; padding-bottom: 0.2em; }
figure.drawing svg { width: 100%; height: auto; display: block; }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 9.5pt; }
  div.scroll { overflow: visible; }
  tr, .chart, figure.drawing { page-break-inside: avoid; break-inside: avoid; }
  thead { display: table-header-group; }
  h2 { page-break-after: avoid; break-after: avoid; }
  td.green, td.yellow, td.red, tr.marked td { -webkit-print-color-adjust: exact;
                                              print-color-adjust: exact; }
}
)";

bool looks_numeric(const std::string& text) {
    if (text.empty()) return false;
    const char c = text.front();
    return (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// The most characters a line of a wide table's header takes in Qt's rich
// text, where a word joined by "_" or "/" is longer.
constexpr std::size_t header_line_chars = 7;

// A header cell. Qt's rich text squeezes the columns of a table wider than
// the page below their words' widths and then breaks words anywhere
// ("margin1_d" over "b"): a wide table's header is set there in lines of
// its own, broken after "_", "/" or a space only, that do not wrap.
std::string header_cell(const ReportTable& table, const std::string& text, HtmlReader reader) {
    if (!table.wide) return "<th>" + html_escaped(text) + "</th>";
    if (reader == HtmlReader::browser) return "<th class=\"wide\">" + html_escaped(text) + "</th>";
    const std::vector<std::string> lines = header_lines(text);
    std::string cell = "<th class=\"wide\" style=\"white-space: nowrap\">";
    for (std::size_t i = 0; i < lines.size(); ++i)
        cell += (i > 0 ? "<br>" : "") + html_escaped(lines[i]);
    return cell + "</th>";
}

void write_table(std::ostream& out, const ReportTable& table, HtmlReader reader) {
    // A wide table scrolls on its own on a narrow screen.
    out << (table.wide ? "<div class=\"scroll\"><table class=\"wide\">" : "<table>");
    if (!table.caption.empty()) out << "<caption>" << html_escaped(table.caption) << "</caption>";
    out << "<thead><tr>";
    const std::string wide = table.wide ? "wide" : "";
    for (const std::string& h : table.header)
        out << header_cell(table, h, reader);
    out << "</tr></thead>\n<tbody>\n";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const bool marked = r < table.marked.size() && table.marked[r];
        const std::string key = r < table.row_keys.size() ? table.row_keys[r] : "";
        out << "<tr" << (marked ? " class=\"marked\"" : "");
        if (!key.empty()) out << " id=\"" << html_escaped(key) << "\"";
        out << ">";
        const std::vector<std::string>& row = table.rows[r];
        for (std::size_t c = 0; c < row.size(); ++c) {
            std::string classes = wide;
            const auto add = [&](std::string_view name) {
                classes += (classes.empty() ? "" : " ") + std::string(name);
            };
            if (c == 0) add("key");
            if (c > 0 && table.numbers_right && looks_numeric(row[c])) add("number");
            if (row[c].size() == 64 &&
                row[c].find_first_not_of("0123456789abcdef") == std::string::npos)
                add("mono");
            if (r < table.styles.size() && c < table.styles[r].size() &&
                !table.styles[r][c].empty())
                add(table.styles[r][c]);
            out << "<td" << (classes.empty() ? "" : " class=\"" + classes + "\"") << ">"
                << html_escaped(row[c]) << "</td>";
        }
        out << "</tr>\n";
    }
    out << (table.wide ? "</tbody></table></div>\n" : "</tbody></table>\n");
}

// SECTION's heading, paragraphs and bullets.
void write_section_text(std::ostream& out, const ReportSection& section) {
    // The page break on the heading itself: Qt's rich text (the PDF) knows
    // no <section>.
    out << "<h2" << (section.new_page ? " style=\"page-break-before: always\"" : "") << ">"
        << html_escaped(section.heading) << "</h2>\n";
    for (const std::string& p : section.paragraphs)
        out << "<p>" << html_escaped(p) << "</p>\n";
    if (!section.bullets.empty()) {
        out << "<ul>\n";
        for (const std::string& b : section.bullets)
            out << "<li>" << html_escaped(b) << "</li>\n";
        out << "</ul>\n";
    }
}

void write_head(std::ostream& out, const ReportContent& content) {
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        << "<meta name=\"generator\" content=\"Orlavex " << html_escaped(content.version)
        << "\">\n<title>" << html_escaped(content.title) << " – " << html_escaped(content.subtitle)
        << "</title>\n<style>" << style << "</style>\n</head>\n<body>\n";
}

void write_header(std::ostream& out, const ReportContent& content) {
    out << "<header>\n<h1>" << html_escaped(content.title) << "</h1>\n<p class=\"subtitle\">"
        << html_escaped(content.subtitle) << "</p>\n<p class=\"meta\">Made "
        << html_escaped(content.date) << " by Orlavex " << html_escaped(content.version)
        << "</p>\n</header>\n";
}

void write_section(std::ostream& out, const ReportSection& section, const ChartSvgs& charts,
                   HtmlReader reader) {
    out << "<section id=\"" << html_escaped(section.id) << "\">\n";
    write_section_text(out, section);
    for (const ReportDrawing& drawing : section.drawings) {
        out << "<figure class=\"drawing\">";
        if (!drawing.caption.empty())
            out << "<figcaption>" << html_escaped(drawing.caption) << "</figcaption>";
        out << drawing_svg(drawing) << "</figure>\n";
    }
    const std::size_t shown = section.charts == Charts::both          ? 2
                              : section.charts == Charts::uncertainty ? 1
                                                                      : 0;
    const std::array<std::pair<std::string_view, const std::string*>, 2> drawn = {
        {{"uncertainty", &charts.uncertainty}, {"margins", &charts.margins}}};
    for (std::size_t i = 0; i < shown; ++i) {
        const auto& [name, svg] = drawn[i];
        if (charts.as_images) {
            out << "<p class=\"chart\"><img src=\"chart:" << name << "\" width=\""
                << charts.image_width << "\" height=\"" << charts.image_height << "\"></p>\n";
        } else if (!svg->empty()) {
            out << "<div class=\"chart\">" << inline_svg(*svg) << "</div>\n";
        }
    }
    for (const ReportTable& table : section.tables)
        write_table(out, table, reader);
    out << "</section>\n";
}

}  // namespace

std::vector<std::string> header_lines(const std::string& text) {
    std::vector<std::string> lines(1);
    std::string piece;
    const auto put = [&] {
        if (!lines.back().empty() && lines.back().size() + piece.size() > header_line_chars) {
            if (lines.back().back() == ' ') lines.back().pop_back();
            lines.emplace_back();
        }
        lines.back() += piece;
        piece.clear();
    };
    for (char c : text) {
        piece += c;
        if (c == '_' || c == '/' || c == ' ') put();
    }
    put();
    return lines;
}

std::string html_escaped(std::string_view text) {
    // A name in the page (a data file's) shows as it is spelt, not reordered.
    const std::string printable = app::printable_text(text);
    std::string escaped;
    escaped.reserve(printable.size());
    for (char c : printable) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string inline_svg(std::string_view document) {
    const std::size_t start = document.find("<svg");
    if (start == std::string_view::npos) return {};
    std::string svg(document.substr(start));
    // Qt names its default face "Sans Serif", which no browser knows.
    static constexpr std::string_view qt_face = "font-family=\"Sans Serif\"";
    static constexpr std::string_view web_face =
        "font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\"";
    for (std::size_t at = svg.find(qt_face); at != std::string::npos;
         at = svg.find(qt_face, at + web_face.size()))
        svg.replace(at, qt_face.size(), web_face);
    const std::size_t root_end = svg.find('>');
    std::string root = svg.substr(0, root_end);
    for (std::string_view attribute : {" width=\"", " height=\""}) {
        const std::size_t at = root.find(attribute);
        if (at == std::string::npos) continue;
        const std::size_t value_end = root.find('"', at + attribute.size());
        root.erase(at, value_end + 1 - at);
    }
    return root + svg.substr(root_end);
}

std::string report_html(const ReportContent& content, const ChartSvgs& charts, HtmlReader reader) {
    std::ostringstream out;
    write_head(out, content);
    write_header(out, content);
    for (const ReportSection& section : content.sections)
        write_section(out, section, charts, reader);
    out << "</body>\n</html>\n";
    return out.str();
}

std::string report_text_html(const ReportContent& content, const ReportSection* section) {
    std::ostringstream out;
    write_head(out, content);
    if (section) {
        ReportSection text = *section;
        text.new_page = false;
        out << "<section>\n";
        write_section_text(out, text);
        out << "</section>\n";
    } else {
        write_header(out, content);
    }
    out << "</body>\n</html>\n";
    return out.str();
}

}  // namespace orlavex::report
