#include "cli/sweep_output.h"

#include "cli/sweep_columns.h"
#include "cli/text_table.h"
#include "planning/point_notes.h"
#include "planning/swept_input.h"

#include <algorithm>

namespace orlavex::cli {

namespace {

std::string cell_text(const SweepColumn& column, const planning::SweepPoint& point) {
    const Cell cell = column.cell(point);
    return cell.is_text ? cell.text : number_text(cell.number, column.places);
}

// The table shows the columns an engineer reads first; CSV and JSON have all.
constexpr std::string_view table_columns[] = {
    "freq_ghz", "enr_db", "ycal_db", "ymeas_db", "nf_sys_db", "lamp1", "lamp2",
    "lamp3",    "rss_db", "U_db",    "mc_lo_db", "mc_hi_db",  "note",
};

}  // namespace

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

void print_sweep_table(std::ostream& out, const planning::SweepResult& result, bool monte_carlo) {
    std::vector<SweepColumn> columns = sweep_columns(result, monte_carlo);
    std::vector<SweepColumn> shown;
    shown.push_back(columns.front());
    for (std::string_view name : table_columns) {
        const auto found = std::ranges::find(columns, name, &SweepColumn::name);
        if (found != columns.end() && found != columns.begin()) shown.push_back(*found);
    }
    std::vector<TextTable::Align> align(shown.size(), TextTable::Align::right);
    align.back() = TextTable::Align::left;  // the note
    TextTable table(align);
    std::vector<std::string> header;
    for (const SweepColumn& c : shown)
        header.push_back(c.name);
    table.add(header);
    for (const planning::SweepPoint& point : result.points) {
        std::vector<std::string> row;
        for (const SweepColumn& c : shown) {
            std::string text = cell_text(c, point);
            row.push_back(text.empty() && c.name != "note" ? "-" : text);
        }
        table.add(row);
    }
    table.print(out);
    if (const planning::PointCounts counts = planning::count_points(result); counts.held > 0)
        out << '\n' << planning::counts_text(counts) << " (see the notes).\n";
    if (!result.band_edges.empty()) {
        out << "\nBand edges:\n";
        for (const planning::BandEdge& edge : result.band_edges)
            out << "  " << number_text(edge.freq_ghz, -1) << " GHz  " << edge.what << '\n';
    }
}

}  // namespace orlavex::cli
