#include "charts/file_metadata.h"

#include <cstdio>
#include <ctime>

namespace orlavex::charts {

namespace {

std::string iso8601_utc(std::chrono::system_clock::time_point when) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string summary(const SweepChartData& data) {
    std::string line = data.title.empty() ? std::string("Sweep") : data.title;
    if (data.points.empty()) return line + "; no points";
    line += "; " + data.x_label + " " + number(data.points.front().x) + " to " +
            number(data.points.back().x);
    if (!data.x_unit.empty()) line += " " + data.x_unit;
    const std::size_t count = data.points.size();
    return line + ", " + std::to_string(count) + (count == 1 ? " point" : " points");
}

}  // namespace

FileMetadata file_metadata(const SweepChartData& data, std::chrono::system_clock::time_point made) {
    return {.software = "Orlavex " ORLAVEX_VERSION,
            .creation_time = iso8601_utc(made),
            .description = summary(data),
            .setup = data.setup};
}

std::string xml_escaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
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
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace orlavex::charts
