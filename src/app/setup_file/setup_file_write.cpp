// Writing a set-up file: only what the set-up gives (a value left at its
// default is left out), in a fixed order, with no date, so that the same
// set-up always gives the same bytes and files diff well.
#include "app/setup_file/setup_file.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/reflection_text.h"
#include "app/inputs/setup_choices.h"
#include "app/json.h"
#include "app/setup_file/embedded_file.h"
#include "datafiles/base64.h"
#include "datafiles/file_error.h"
#include "datafiles/output_file.h"
#include "datafiles/sha256.h"
#include "datafiles/text_lines.h"
#include "measure/match.h"
#include "measure/units.h"
#include "planning/swept_input.h"

#include <optional>
#include <string_view>

namespace orlavex::app {

namespace {

const BenchInputRow& bench_row(std::string_view keyword) {
    return *find_bench_input(keyword);
}

void put(Json& j, std::string_view key, const Json& value) {
    j[std::string(key)] = value;
}

void add_choices(Json& j, const Setup& s) {
    for (const ModelChoice& choice : model_choices) {
        if (s.*choice.name) put(j, choice.key, *(s.*choice.name));
    }
    for (const BoxChoice& box : box_choices) {
        if (s.*box.ticked != box.start) put(j, box.key, s.*box.ticked);
    }
    if (s.int_preamp_option) put(j, int_preamp_option_key, *s.int_preamp_option);
}

void add_model(Json& j, const ModelInputs& m) {
    for (const ModelInput& row : every_model_input) {
        if (at_default(row, m)) continue;
        if (row.kind == ModelValue::not_negative) put(j, row.key, m.*row.number);
        if (row.kind == ModelValue::choice) put(j, row.key, std::string(choice_name(row, m)));
        if (row.kind == ModelValue::optional_number) put(j, row.key, *(m.*row.optional));
        if (row.kind == ModelValue::reflection) {
            const std::complex<double> gamma = *(m.*row.reflection);
            put(j, row.key, Json::array({std::abs(gamma), reflection_degrees(gamma)}));
        }
    }
}

// The bench's numbers and its measurement source's name, by their keys;
// its files go under "data_files".
void add_bench(Json& j, const planning::BenchInput& bench) {
    const BenchInputs in = bench_inputs_of(bench);
    for (const BenchInputRow& row : bench_input_rows) {
        if (row.number != nullptr && in.*row.number) put(j, row.key, *(in.*row.number));
    }
    if (in.meas_noise_source) put(j, bench_row("meas_noise_source").key, *in.meas_noise_source);
}

Json inputs_json(const Setup& s) {
    Json j = Json::object();
    for (const FieldInput& row : field_inputs()) {
        if (s[row]) put(j, row.column, *s[row]);
    }
    add_choices(j, s);
    add_model(j, s.model);
    add_bench(j, s.bench);
    return j;
}

Json sweep_json(const SweepRequest& r) {
    Json j;
    j["over"] = planning::info(r.over).name;
    j["from"] = r.from;
    j["to"] = r.to;
    j["points"] = r.points;
    j["log"] = r.log;
    j["match_form"] = r.match_form == planning::MatchForm::return_loss ? "rl" : "vswr";
    j["monte_carlo"] = r.monte_carlo;
    j["trials"] = r.setup.model.trials;
    j["seed"] = r.setup.model.seed;
    j["fixed_if"] = r.fixed_if;
    j["fixed_lo"] = r.fixed_lo;
    return j;
}

// The file in SLOT: the copy in hand, else the file named by the request's
// path, else the file a table was read from (its name is the path as given).
std::optional<EmbeddedFile> file_in_slot(const SweepRequest& r, std::string_view key) {
    if (const auto& embedded = r.embedded[slot_index(key)]) return embedded;
    const planning::BenchInput& bench = r.setup.bench;
    const auto path_of = [](const std::filesystem::path& path, const auto& table) {
        if (!path.empty()) return std::optional<std::string>(path.string());
        return table ? std::optional<std::string>(table->name()) : std::nullopt;
    };
    std::optional<std::string> path;
    if (key == "enr_table") path = path_of(r.enr_table_path, r.enr_table);
    if (key == "dut_s2p") path = path_of(r.dut_s2p_path, r.dut_sparameters);
    if (const auto* table = bench_touchstone(bench, key)) path = table->name();
    if (const auto* table = bench_enr_table(bench, key)) path = table->name();
    if (!path) return std::nullopt;
    return embed_file(*path);
}

// The lines split at LF only, so that joining them with LF gives the bytes
// back (a CR stays in its line); bytes that are not UTF-8 go as Base64.
void add_content(Json& j, const std::string& bytes) {
    if (datafiles::valid_utf8(bytes) != bytes) {
        j["base64"] = datafiles::base64_encode(bytes);
        return;
    }
    Json lines = Json::array();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = bytes.find('\n', start);
        lines.push_back(bytes.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    j["lines"] = std::move(lines);
}

template <class Table>
Json data_file_json(const EmbeddedFile& file, const Table& table) {
    Json j;
    j["name"] = file.name;
    j["sha256"] = datafiles::sha256_hex(file.bytes);
    j["freq_from_hz"] = table.first_freq_hz();
    j["freq_to_hz"] = table.last_freq_hz();
    j["records"] = table.records().size();
    add_content(j, file.bytes);
    return j;
}

Json data_files_json(const SweepRequest& r) {
    Json j = Json::object();
    for (const DataFileSlot& slot : data_file_slots) {
        const std::optional<EmbeddedFile> file = file_in_slot(r, slot.key);
        if (!file) continue;
        put(j, slot.key,
            slot.kind == DataFileKind::enr_table ? data_file_json(*file, enr_table_of(*file))
                                                 : data_file_json(*file, touchstone_of(*file)));
    }
    return j;
}

}  // namespace

std::string setup_file_text(const SweepRequest& request) {
    Json j;
    j["format"] = setup_file_format;
    j["version"] = setup_file_version;
    j["program_version"] = ORLAVEX_VERSION;
    j["inputs"] = inputs_json(request.setup);
    j["sweep"] = sweep_json(request);
    if (Json files = data_files_json(request); !files.empty()) j["data_files"] = std::move(files);
    return j.dump(2) + '\n';
}

void write_setup_file(const std::filesystem::path& file, const SweepRequest& request) {
    const std::string text = setup_file_text(request);
    if (const std::string why = datafiles::write_output_file(file, text); !why.empty())
        throw datafiles::FileError(file.string(), 0, "cannot write the file: " + why);
}

}  // namespace orlavex::app
