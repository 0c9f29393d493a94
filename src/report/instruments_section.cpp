// The instruments with their catalogue bands inside the sweep, and the data
// files the sweep read.
#include "app/inputs/bench_inputs.h"
#include "app/results/setup_echo.h"
#include "app/results/sweep_columns.h"
#include "datafiles/sha256.h"
#include "report/report_sections.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <utility>

namespace orlavex::report {

namespace {

struct DataFile {
    std::string_view slot;  // in app::data_file_slots
    std::string role;
    std::string name;  // the path as given
    double first_hz, last_hz;
    std::size_t records;
};

template <class Table>
DataFile data_file(std::string_view slot, std::string role, const Table& table) {
    return {slot,
            std::move(role),
            table.name(),
            table.first_freq_hz(),
            table.last_freq_hz(),
            table.records().size()};
}

std::vector<DataFile> data_files(const planning::Sweep& sweep) {
    std::vector<DataFile> files;
    if (sweep.enr_table) files.push_back(data_file("enr_table", "ENR table", *sweep.enr_table));
    if (sweep.dut_sparameters)
        files.push_back(data_file("dut_s2p", "DUT S-parameters", *sweep.dut_sparameters));
    if (sweep.bench.loss_in.sparameters)
        files.push_back(
            data_file("loss_in_s2p", "Loss before the DUT", *sweep.bench.loss_in.sparameters));
    if (sweep.bench.loss_out.sparameters)
        files.push_back(
            data_file("loss_out_s2p", "Loss after the DUT", *sweep.bench.loss_out.sparameters));
    if (sweep.bench.meas_source && sweep.bench.meas_source->table)
        files.push_back(data_file("meas_enr_table", "Measurement source ENR table",
                                  *sweep.bench.meas_source->table));
    return files;
}

// The file's SHA-256: of the bytes a set-up file brought, else of the file
// as it is on disk now; none when neither is at hand (a table handed over
// without its file).
std::optional<std::string> file_sha256(const DataFile& file, const app::EmbeddedFiles* embedded) {
    if (embedded) {
        if (const auto& bytes = (*embedded)[app::slot_index(file.slot)])
            return datafiles::sha256_hex(bytes->bytes);
    }
    std::ifstream in(file.name, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return datafiles::sha256_hex(bytes);
}

std::string ghz_text(double hz) {
    return app::number_text(hz / 1e9, -1);
}

// The noise sources' ENR tables: the source each calibrates, as the table's
// header fields describe it.
std::vector<std::pair<std::string, const datafiles::EnrTable*>> enr_tables(
    const planning::Sweep& sweep) {
    std::vector<std::pair<std::string, const datafiles::EnrTable*>> tables;
    if (sweep.enr_table) tables.emplace_back("ENR table of the noise source", &*sweep.enr_table);
    if (sweep.bench.meas_source && sweep.bench.meas_source->table)
        tables.emplace_back("ENR table of the measurement noise source",
                            &*sweep.bench.meas_source->table);
    return tables;
}

// The instruments, with a serial number and a calibration date where an ENR
// table gives them ("–" where its header has no such field).
ReportTable instruments_table(const PlanReportInput& input) {
    const app::UsedSetup used = app::used_setup(input.sweep.base.last, input.setup);
    ReportTable table{.caption = "", .header = {"Role", "Model"}, .numbers_right = false};
    table.rows.push_back({"Analyzer", used.analyzer});
    table.rows.push_back({"Noise source", used.noise_source});
    if (const auto& source = input.sweep.bench.meas_source)
        table.rows.push_back({"Measurement noise source", app::measurement_source_text(*source)});
    const auto tables = enr_tables(input.sweep);
    if (tables.empty()) return table;
    table.header.insert(table.header.end(), {"Serial number", "Calibration date"});
    for (std::vector<std::string>& row : table.rows)
        row.insert(row.end(), {"–", "–"});
    for (const auto& [role, enr] : tables) {
        const auto field = [enr](std::string_view name) {
            const std::optional<std::string_view> value = enr->header(name);
            return value && !value->empty() ? std::string(*value) : std::string("–");
        };
        table.rows.push_back(
            {role + " (" + std::filesystem::path(enr->name()).filename().string() + ")",
             field("Model"), field("Serialnumber"), field("Calibrationdate")});
    }
    return table;
}

}  // namespace

ReportSection instruments_section(const PlanReportInput& input) {
    ReportSection section{.id = "instruments", .heading = "Instruments"};
    section.tables.push_back(instruments_table(input));
    if (input.result.band_edges.empty()) {
        section.paragraphs.push_back(
            input.sweep.over == planning::SweptInput::frequency
                ? "No catalogue band of these instruments changes inside the swept range."
                : "The sweep stays at one frequency: one catalogue band of each instrument "
                  "applies.");
        return section;
    }
    ReportTable edges{.caption = "Catalogue bands that change inside the swept range",
                      .header = {"freq_ghz", "what"},
                      .numbers_right = false};
    for (const planning::BandEdge& edge : input.result.band_edges)
        edges.rows.push_back({app::number_text(edge.freq_ghz, -1), edge.what});
    section.tables.push_back(std::move(edges));
    return section;
}

ReportSection files_section(const PlanReportInput& input) {
    ReportSection section{.id = "files", .heading = "Data files"};
    const std::vector<DataFile> files = data_files(input.sweep);
    if (files.empty()) {
        section.paragraphs.push_back("The sweep read no data file.");
        add_known_reflections(section, input);
        return section;
    }
    ReportTable table{.header = {"Role", "File", "SHA-256", "From (GHz)", "To (GHz)", "Records"},
                      .numbers_right = false};
    for (const DataFile& f : files) {
        table.rows.push_back({f.role, std::filesystem::path(f.name).filename().string(),
                              file_sha256(f, input.embedded).value_or("(file not at hand)"),
                              ghz_text(f.first_hz), ghz_text(f.last_hz),
                              std::to_string(f.records)});
    }
    section.tables.push_back(std::move(table));
    add_known_reflections(section, input);
    return section;
}

}  // namespace orlavex::report
