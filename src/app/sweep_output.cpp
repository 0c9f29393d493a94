#include "app/sweep_output.h"

#include "app/sweep_columns.h"
#include "planning/swept_input.h"

#include <algorithm>

namespace orlavex::app {

std::string cell_text(const SweepColumn& column, const planning::SweepPoint& point) {
    const Cell cell = column.cell(point);
    return cell.is_text ? cell.text : number_text(cell.number, column.places);
}

std::string csv_field(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void write_sweep_csv(std::ostream& out, const planning::SweepResult& result, bool monte_carlo) {
    const std::vector<SweepColumn> columns = sweep_columns(result, monte_carlo);
    for (std::size_t i = 0; i < columns.size(); ++i)
        out << (i ? "," : "") << csv_field(columns[i].name);
    out << "\r\n";
    for (const planning::SweepPoint& point : result.points) {
        for (std::size_t i = 0; i < columns.size(); ++i)
            out << (i ? "," : "") << csv_field(cell_text(columns[i], point));
        out << "\r\n";
    }
}

Json sweep_json(const planning::SweepResult& result, bool monte_carlo) {
    const std::vector<SweepColumn> columns = sweep_columns(result, monte_carlo);
    Json j;
    j["over"] = planning::info(result.over).name;
    j["column"] = columns.front().name;
    Json points = Json::array();
    for (const planning::SweepPoint& point : result.points) {
        Json row;
        for (const SweepColumn& column : columns) {
            const Cell cell = column.cell(point);
            if (cell.is_text) {
                row[column.name] = cell.text.empty() ? Json(nullptr) : Json(cell.text);
            } else {
                row[column.name] = number_or_null(cell.number);
            }
        }
        row["in_range"] = point.in_range;
        points.push_back(std::move(row));
    }
    j["points"] = std::move(points);
    Json edges = Json::array();
    for (const planning::BandEdge& edge : result.band_edges)
        edges.push_back({{"freq_ghz", edge.freq_ghz}, {"what", edge.what}});
    j["band_edges"] = std::move(edges);
    return j;
}

}  // namespace orlavex::app
