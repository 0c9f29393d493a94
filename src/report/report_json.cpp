#include "report/report_json.h"

#include "charts/chart_data_binary.h"
#include "charts/chart_data_json.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace orlavex::report {

namespace {

using Json = nlohmann::json;

Json table_json(const ReportTable& t) {
    return {{"caption", t.caption},
            {"header", t.header},
            {"rows", t.rows},
            {"marked", t.marked},
            {"row_keys", t.row_keys},
            {"styles", t.styles},
            {"numbers_right", t.numbers_right},
            {"wide", t.wide}};
}

ReportTable table_from(const Json& j) {
    ReportTable t;
    j.at("caption").get_to(t.caption);
    j.at("header").get_to(t.header);
    j.at("rows").get_to(t.rows);
    j.at("marked").get_to(t.marked);
    j.at("row_keys").get_to(t.row_keys);
    j.at("styles").get_to(t.styles);
    j.at("numbers_right").get_to(t.numbers_right);
    j.at("wide").get_to(t.wide);
    return t;
}

Json drawing_json(const ReportDrawing& d) {
    Json lines = Json::array();
    for (const DrawingLine& l : d.lines)
        lines.push_back({l.x1, l.y1, l.x2, l.y2, l.colour, l.width, l.dashed});
    Json texts = Json::array();
    for (const DrawingText& t : d.texts)
        texts.push_back({t.x, t.y, t.text, t.colour, static_cast<int>(t.anchor), t.bold});
    return {{"caption", d.caption},     {"width", d.width},          {"height", d.height},
            {"text_size", d.text_size}, {"lines", std::move(lines)}, {"texts", std::move(texts)}};
}

ReportDrawing drawing_from(const Json& j) {
    ReportDrawing d;
    j.at("caption").get_to(d.caption);
    j.at("width").get_to(d.width);
    j.at("height").get_to(d.height);
    j.at("text_size").get_to(d.text_size);
    for (const Json& l : j.at("lines")) {
        d.lines.push_back({l.at(0).get<double>(), l.at(1).get<double>(), l.at(2).get<double>(),
                           l.at(3).get<double>(), l.at(4).get<std::string>(), l.at(5).get<double>(),
                           l.at(6).get<bool>()});
    }
    for (const Json& t : j.at("texts")) {
        const int anchor = t.at(4).get<int>();
        if (anchor < 0 || anchor > static_cast<int>(TextAnchor::end))
            throw ReportDataError("unknown text anchor " + std::to_string(anchor));
        d.texts.push_back({t.at(0).get<double>(), t.at(1).get<double>(), t.at(2).get<std::string>(),
                           t.at(3).get<std::string>(), static_cast<TextAnchor>(anchor),
                           t.at(5).get<bool>()});
    }
    return d;
}

constexpr std::array<std::pair<Charts, std::string_view>, 3> charts_names = {
    {{Charts::none, "none"}, {Charts::both, "both"}, {Charts::uncertainty, "uncertainty"}}};

std::string charts_name(Charts charts) {
    return std::string(
        std::ranges::find(charts_names, charts, &std::pair<Charts, std::string_view>::first)
            ->second);
}

Charts charts_named(const std::string& name) {
    const auto found =
        std::ranges::find(charts_names, name, &std::pair<Charts, std::string_view>::second);
    if (found == charts_names.end()) throw ReportDataError("unknown charts \"" + name + "\"");
    return found->first;
}

Json section_json(const ReportSection& s) {
    Json tables = Json::array();
    for (const ReportTable& t : s.tables)
        tables.push_back(table_json(t));
    Json drawings = Json::array();
    for (const ReportDrawing& d : s.drawings)
        drawings.push_back(drawing_json(d));
    return {{"id", s.id},
            {"drawings", std::move(drawings)},
            {"heading", s.heading},
            {"paragraphs", s.paragraphs},
            {"tables", std::move(tables)},
            {"bullets", s.bullets},
            {"charts", charts_name(s.charts)},
            {"new_page", s.new_page}};
}

ReportSection section_from(const Json& j) {
    ReportSection s;
    j.at("id").get_to(s.id);
    j.at("heading").get_to(s.heading);
    j.at("paragraphs").get_to(s.paragraphs);
    for (const Json& t : j.at("tables"))
        s.tables.push_back(table_from(t));
    j.at("bullets").get_to(s.bullets);
    for (const Json& d : j.at("drawings"))
        s.drawings.push_back(drawing_from(d));
    s.charts = charts_named(j.at("charts").get<std::string>());
    j.at("new_page").get_to(s.new_page);
    return s;
}

}  // namespace

namespace {

Json content_json(const ReportContent& content, const std::string& chart_json) {
    Json sections = Json::array();
    for (const ReportSection& s : content.sections)
        sections.push_back(section_json(s));
    return {{"title", content.title},
            {"subtitle", content.subtitle},
            {"date", content.date},
            {"version", content.version},
            {"sections", std::move(sections)},
            {"chart", Json::parse(chart_json)}};
}

}  // namespace

std::string to_json_text(const ReportContent& content) {
    return content_json(content, charts::to_json_text(content.chart)).dump();
}

std::string to_helper_input(const ReportContent& content) {
    std::string input = content_json(content, charts::to_json_text({})).dump();
    input += '\0';
    input += charts::to_binary(content.chart);
    return input;
}

ReportContent from_helper_input(const std::string& input) {
    const std::size_t end = input.find('\0');
    if (end == std::string::npos) return from_json_text(input);
    ReportContent content = from_json_text(input.substr(0, end));
    try {
        content.chart = charts::from_binary(std::string_view(input).substr(end + 1));
    } catch (const charts::ChartDataError& e) {
        throw ReportDataError(e.what());
    }
    return content;
}

ReportContent from_json_text(const std::string& text) {
    try {
        const Json j = Json::parse(text);
        ReportContent content;
        j.at("title").get_to(content.title);
        j.at("subtitle").get_to(content.subtitle);
        j.at("date").get_to(content.date);
        j.at("version").get_to(content.version);
        for (const Json& s : j.at("sections"))
            content.sections.push_back(section_from(s));
        content.chart = charts::from_json_text(j.at("chart").dump());
        return content;
    } catch (const nlohmann::json::exception& e) {
        throw ReportDataError(std::string("the report data are malformed: ") + e.what());
    } catch (const charts::ChartDataError& e) {
        throw ReportDataError(e.what());
    }
}

}  // namespace orlavex::report
