#include "charts/chart_data_json.h"

#include <nlohmann/json.hpp>

#include <array>

namespace orlavex::charts {

using nlohmann::json;

namespace {

constexpr const char* lamp_names[] = {"green", "yellow", "red", "grey"};

json optional_value(const std::optional<double>& value) {
    return value ? json(*value) : json(nullptr);
}

std::optional<double> read_optional(const json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || found->is_null()) return std::nullopt;
    if (!found->is_number()) throw ChartDataError(std::string("\"") + key + "\" is not a number");
    return found->get<double>();
}

Lamp read_lamp(const json& value) {
    const std::string name = value.get<std::string>();
    for (int i = 0; i < 4; ++i)
        if (name == lamp_names[i]) return static_cast<Lamp>(i);
    throw ChartDataError("unknown lamp \"" + name + "\"");
}

// The measured points' keys, in the order of their figures.
constexpr const char* measured_keys[] = {"nf_db",         "gain_db",         "U_db",
                                         "planned_nf_db", "planned_gain_db", "planned_U_db"};

std::array<std::optional<double>*, 6> measured_figures(MeasuredChartPoint& p) {
    return {&p.nf_db,         &p.gain_db,         &p.expanded_db,
            &p.planned_nf_db, &p.planned_gain_db, &p.planned_expanded_db};
}

json measured_json(const std::vector<MeasuredChartPoint>& points) {
    json all = json::array();
    for (MeasuredChartPoint p : points) {
        json point = {{"x", p.x}};
        const auto figures = measured_figures(p);
        for (std::size_t i = 0; i < figures.size(); ++i)
            point[measured_keys[i]] = optional_value(*figures[i]);
        all.push_back(std::move(point));
    }
    return all;
}

std::vector<MeasuredChartPoint> read_measured(const json& document) {
    std::vector<MeasuredChartPoint> points;
    const auto found = document.find("measured");
    if (found == document.end()) return points;
    for (const json& p : *found) {
        MeasuredChartPoint point;
        point.x = p.at("x").get<double>();
        const auto figures = measured_figures(point);
        for (std::size_t i = 0; i < figures.size(); ++i)
            *figures[i] = read_optional(p, measured_keys[i]);
        points.push_back(point);
    }
    return points;
}

}  // namespace

std::string to_json_text(const SweepChartData& data) {
    json points = json::array();
    for (const ChartPoint& p : data.points) {
        json margins = json::array(), lamps = json::array();
        for (std::size_t i = 0; i < 3; ++i) {
            margins.push_back(optional_value(p.margin_db[i]));
            lamps.push_back(lamp_names[static_cast<int>(p.lamp[i])]);
        }
        points.push_back({{"x", p.x},
                          {"U_db", optional_value(p.expanded_db)},
                          {"rss_db", optional_value(p.rss_db)},
                          {"mc_lo_db", optional_value(p.mc_lo_db)},
                          {"mc_hi_db", optional_value(p.mc_hi_db)},
                          {"margins_db", margins},
                          {"lamps", lamps},
                          {"held", p.held},
                          {"bias_db", optional_value(p.bias_db)}});
    }
    json document = {
        {"title", data.title}, {"x_label", data.x_label},       {"x_unit", data.x_unit},
        {"log_x", data.log_x}, {"band_edges", data.band_edges}, {"points", points},
        {"setup", data.setup}};
    if (is_measured(data)) document["measured"] = measured_json(data.measured);
    return document.dump();
}

SweepChartData from_json_text(const std::string& text) {
    try {
        const json document = json::parse(text);
        SweepChartData data;
        data.title = document.value("title", "");
        data.x_label = document.at("x_label").get<std::string>();
        data.x_unit = document.value("x_unit", "");
        data.log_x = document.value("log_x", false);
        data.band_edges = document.value("band_edges", std::vector<double>{});
        data.setup = document.value("setup", "");
        for (const json& p : document.at("points")) {
            ChartPoint point;
            point.x = p.at("x").get<double>();
            point.expanded_db = read_optional(p, "U_db");
            point.rss_db = read_optional(p, "rss_db");
            point.mc_lo_db = read_optional(p, "mc_lo_db");
            point.mc_hi_db = read_optional(p, "mc_hi_db");
            const json& margins = p.at("margins_db");
            const json& lamps = p.at("lamps");
            if (margins.size() != 3 || lamps.size() != 3)
                throw ChartDataError("a point needs three margins and three lamps");
            for (std::size_t i = 0; i < 3; ++i) {
                if (!margins[i].is_null()) point.margin_db[i] = margins[i].get<double>();
                point.lamp[i] = read_lamp(lamps[i]);
            }
            point.held = p.value("held", false);
            point.bias_db = read_optional(p, "bias_db");
            data.points.push_back(point);
        }
        data.measured = read_measured(document);
        return data;
    } catch (const json::exception& e) {
        throw ChartDataError(std::string("chart data: ") + e.what());
    }
}

}  // namespace orlavex::charts
