#include "app/results/sweep_output.h"

#include "app/results/sweep_columns.h"
#include "datafiles/output_file.h"
#include "planning/swept_input.h"

#include <algorithm>
#include <sstream>

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
    SweepStreamWriter writer(out, SweepStreamWriter::Format::csv, monte_carlo);
    writer(result, result.points);
    writer.finish(result);
}

std::string write_sweep_csv_file(const std::filesystem::path& file,
                                 const planning::SweepResult& result, bool monte_carlo) {
    std::ostringstream text;
    write_sweep_csv(text, result, monte_carlo);
    return datafiles::write_output_file(file, text.view());
}

namespace {

Json row_json(const std::vector<SweepColumn>& columns, const planning::SweepPoint& point) {
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
    return row;
}

Json band_edges_json(const planning::SweepResult& result) {
    Json edges = Json::array();
    for (const planning::BandEdge& edge : result.band_edges)
        edges.push_back({{"freq_ghz", edge.freq_ghz}, {"what", edge.what}});
    return edges;
}

// TEXT with every line but the first indented by SPACES more.
std::string indented(const std::string& text, std::size_t spaces) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        out += c;
        if (c == '\n') out.append(spaces, ' ');
    }
    return out;
}

}  // namespace

Json sweep_json(const planning::SweepResult& result, bool monte_carlo) {
    const std::vector<SweepColumn> columns = sweep_columns(result, monte_carlo);
    Json j;
    j["over"] = planning::info(result.over).name;
    j["column"] = columns.front().name;
    Json points = Json::array();
    for (const planning::SweepPoint& point : result.points)
        points.push_back(row_json(columns, point));
    j["points"] = std::move(points);
    j["band_edges"] = band_edges_json(result);
    return j;
}

void write_sweep_json(std::ostream& out, const planning::SweepResult& result, bool monte_carlo) {
    SweepStreamWriter writer(out, SweepStreamWriter::Format::json, monte_carlo);
    writer(result, result.points);
    writer.finish(result);
}

void SweepStreamWriter::begin(const planning::SweepResult& outline) {
    columns_ = sweep_columns(outline, monte_carlo_);
    if (format_ == Format::csv) {
        for (std::size_t i = 0; i < columns_.size(); ++i)
            out_ << (i ? "," : "") << csv_field(columns_[i].name);
        out_ << "\r\n";
        return;
    }
    // Row by row, as sweep_json(...).dump(2) writes it.
    out_ << "{\n  \"over\": " << Json(planning::info(outline.over).name).dump()
         << ",\n  \"column\": " << Json(columns_.front().name).dump() << ",\n  \"points\": ";
}

void SweepStreamWriter::operator()(const planning::SweepResult& outline,
                                   std::span<const planning::SweepPoint> chunk) {
    if (columns_.empty()) begin(outline);
    for (const planning::SweepPoint& point : chunk) {
        if (format_ == Format::csv) {
            for (std::size_t i = 0; i < columns_.size(); ++i)
                out_ << (i ? "," : "") << csv_field(cell_text(columns_[i], point));
            out_ << "\r\n";
        } else {
            out_ << (written_ == 0 ? "[\n" : ",\n") << "    "
                 << indented(row_json(columns_, point).dump(2), 4);
        }
        ++written_;
    }
}

void SweepStreamWriter::finish(const planning::SweepResult& outline) {
    if (columns_.empty()) begin(outline);
    if (format_ == Format::csv) return;
    out_ << (written_ == 0 ? "[]" : "\n  ]")
         << ",\n  \"band_edges\": " << indented(band_edges_json(outline).dump(2), 2) << "\n}\n";
}

}  // namespace orlavex::app
