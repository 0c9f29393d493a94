#include "report/drawing_svg.h"

#include "report/report_html.h"

#include <cstdio>
#include <string_view>

namespace orlavex::report {

namespace {

// Coordinates to 0.1 unit: plenty for a drawing a few hundred units across.
std::string coordinate(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", x);
    std::string s = text;
    if (s.ends_with(".0")) s.resize(s.size() - 2);
    return s;
}

std::string_view anchor_name(TextAnchor anchor) {
    switch (anchor) {
        case TextAnchor::start:
            return "start";
        case TextAnchor::middle:
            return "middle";
        case TextAnchor::end:
            return "end";
    }
    return "start";
}

}  // namespace

std::string drawing_svg(const ReportDrawing& d) {
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                      coordinate(d.width) + " " + coordinate(d.height) + "\" role=\"img\"" +
                      " style=\"max-width: " + coordinate(d.width) + "px\"" + " aria-label=\"" +
                      html_escaped(d.caption) + "\"" +
                      " font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\"" +
                      " font-size=\"" + coordinate(d.text_size) + "\">\n";
    for (const DrawingLine& l : d.lines) {
        svg += "<line x1=\"" + coordinate(l.x1) + "\" y1=\"" + coordinate(l.y1) + "\" x2=\"" +
               coordinate(l.x2) + "\" y2=\"" + coordinate(l.y2) + "\" stroke=\"" +
               html_escaped(l.colour) + "\" stroke-width=\"" + coordinate(l.width) + "\"" +
               (l.dashed ? " stroke-dasharray=\"5 3\"" : "") + "/>\n";
    }
    for (const DrawingText& t : d.texts) {
        svg += "<text x=\"" + coordinate(t.x) + "\" y=\"" + coordinate(t.y) + "\" fill=\"" +
               html_escaped(t.colour) + "\" text-anchor=\"" + std::string(anchor_name(t.anchor)) +
               "\"" + (t.bold ? " font-weight=\"bold\"" : "") + ">" + html_escaped(t.text) +
               "</text>\n";
    }
    return svg + "</svg>";
}

}  // namespace orlavex::report
