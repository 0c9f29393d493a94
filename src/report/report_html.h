// A report as one self-contained HTML page: its styles inline (screen and
// print), the charts as inline SVG, no script, font, link or file outside
// it, so that it opens in any browser and prints as it is.
#pragma once

#include "report/report_content.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlavex::report {

// The charts drawn as SVG documents (an XML declaration before <svg> is
// dropped); empty for a chart not drawn. AS_IMAGES writes each as an image
// named "chart:uncertainty" or "chart:margins" of the given size instead,
// for a renderer that draws them itself (Qt's rich text, for the PDF).
struct ChartSvgs {
    std::string uncertainty, margins;
    bool as_images = false;
    int image_width = 0, image_height = 0;
};

// Who lays the page out: a browser, or Qt's rich text (the PDF), which
// breaks a word that is wider than its column anywhere in it. For the
// latter a wide table's header breaks after "_", "/" or a space only, so that
// "margin1_db" reads "margin1_" over "db", never "margin1_d" over "b".
enum class HtmlReader { browser, rich_text };

std::string report_html(const ReportContent& content, const ChartSvgs& charts,
                        HtmlReader reader = HtmlReader::browser);

// The page's header (SECTION null), or SECTION's heading, paragraphs and
// bullets without its charts and tables, as a page of their own in the
// report's styles: the runs of text the PDF sets between the pieces it
// draws itself.
std::string report_text_html(const ReportContent& content, const ReportSection* section);

// A wide table's header cell in lines for Qt's rich text and the PDF:
// broken after "_", "/" or a space only, each line at most a few characters
// where the words allow.
std::vector<std::string> header_lines(const std::string& text);

// TEXT with &, <, > and " as entities.
std::string html_escaped(std::string_view text);

// The <svg ...>...</svg> element of an SVG document, scaled to its
// container's width: the XML declaration and any DOCTYPE dropped, the root
// element's fixed width and height replaced.
std::string inline_svg(std::string_view document);

}  // namespace orlavex::report
