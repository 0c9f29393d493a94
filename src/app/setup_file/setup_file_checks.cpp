#include "app/setup_file/setup_file_checks.h"

#include "app/inputs/catalogue_names.h"
#include "app/inputs/classic_apply.h"
#include "app/setup_file/setup_file.h"
#include "app/texts.h"
#include "core/field_entry.h"
#include "datafiles/file_error.h"

#include <algorithm>

namespace orlavex::app {

namespace {

constexpr std::array frame_keys = {"format", "version", "program_version",
                                   "inputs", "sweep",   "data_files"};

std::string input_pointer(const FieldInput& row) {
    return member_pointer("/inputs", row.column);
}

void check_models(const SetupFileValues& v, const Setup& s) {
    if (s.analyzer && !is_user(*s.analyzer) && analyzer_in_catalogue(*s.analyzer).empty())
        v.refuse("/inputs/analyzer", "unknown model " + app::quoted(*s.analyzer));
    if (s.noise_source && !is_user(*s.noise_source) &&
        noise_source_in_catalogue(*s.noise_source).empty())
        v.refuse("/inputs/noise_source", "unknown model " + app::quoted(*s.noise_source));
}

// Values no field can hold, and two forms of one field.
void check_fields(const SetupFileValues& v, const Setup& s) {
    for (const FieldInput& row : field_inputs()) {
        if (!s[row]) continue;
        for (const FieldInput& other : field_inputs()) {
            if (&other < &row && same_field_other_form(row, other) && s[other])
                v.refuse(input_pointer(row), "excludes " + std::string(other.column));
        }
        if (core::entry_text(row.field, *s[row]).empty())
            v.refuse(input_pointer(row),
                     shortest_text(*s[row]) + " is not a value the field takes");
    }
    if (s.field("freq2") && !s.freq_conv)
        v.refuse(input_pointer(*find_field_input("freq2")), "needs \"freq_conv\": true");
}

// The key of a bench row: a data file's under "data_files".
std::string bench_pointer(const BenchInputRow& row) {
    const bool file = row.text != nullptr && is_data_file_slot(row.name);
    return member_pointer(file ? "/data_files" : "/inputs", row.key);
}

// IN without ROW's value, if it has one.
std::optional<BenchInputs> without_row(const BenchInputs& in, const BenchInputRow& row) {
    BenchInputs without = in;
    if (row.number != nullptr && without.*row.number) {
        (without.*row.number).reset();
    } else if (row.text != nullptr && without.*row.text) {
        (without.*row.text).reset();
    } else {
        return std::nullopt;
    }
    return without;
}

// The bench IN refused with WHY, refused at the key it turns on (its
// refusals name the input in words, not by its key): the first input
// without which the bench is taken, else the first without which the
// refusal changes. The message drops its own naming of the key.
[[noreturn]] void refuse_bench(const SetupFileValues& v, const BenchInputs& in,
                               const std::string& why, const BenchFileReader& files) {
    for (const bool taken_without : {true, false}) {
        for (const BenchInputRow& row : bench_input_rows) {
            const std::optional<BenchInputs> without = without_row(in, row);
            if (!without) continue;
            planning::BenchInput ignored;
            const std::string why_without = to_bench(*without, ignored, Naming::keyword, files);
            if (taken_without ? !why_without.empty() : why_without == why) continue;
            const std::string named = std::string(row.name) + ": ";
            v.refuse(bench_pointer(row), why.starts_with(named) ? why.substr(named.size()) : why);
        }
    }
    v.refuse("/inputs", why);
}

}  // namespace

void check_frame(const SetupFileValues& v, const Json& root) {
    v.expect_object(root, "");
    if (!root.contains("format")) v.refuse("", "not a set-up file: no \"format\"");
    if (v.text(root["format"], "/format") != setup_file_format) {
        v.refuse("/format", app::quoted(root["format"].get<std::string>()) + " is not \"" +
                                std::string(setup_file_format) + "\"");
    }
    if (!root.contains("version")) v.refuse("", "no \"version\"");
    const Json& version = root["version"];
    if (version.is_number_unsigned() && version.get<std::uint64_t>() > setup_file_version) {
        v.refuse("/version", "version " + version.dump() + " is newer than this program reads (" +
                                 std::to_string(setup_file_version) + "); update Orlavex");
    }
    v.whole_number(version, "/version", 1, setup_file_version);
    v.members(root, "", [&](const std::string& key, const Json& value, const std::string& pointer) {
        if (key == "program_version") v.text(value, pointer);
        return std::ranges::find(frame_keys, key) != frame_keys.end();
    });
}

void load_bench(const SetupFileValues& v, const BenchInputs& bench, EmbeddedData data,
                SweepRequest& r) {
    BenchInputs with_files = bench;
    for (const BenchInputRow& row : bench_input_rows) {
        if (row.text == nullptr || row.name == "meas_noise_source") continue;
        if (data.files[slot_index(row.name)]) with_files.*row.text = std::string(row.name);
    }
    // The tables read already are handed over (the bench asks for each once:
    // they run to megabytes); a refused bench is tried again without each
    // input, its tables read once more from the embedded bytes.
    const BenchFileReader taken{[&](std::string_view key, const std::string&) {
                                    return std::move(*data.touchstones[slot_index(key)]);
                                },
                                [&](std::string_view key, const std::string&) {
                                    return std::move(*data.enr_tables[slot_index(key)]);
                                }};
    const BenchFileReader read_again{[&](std::string_view key, const std::string&) {
                                         return touchstone_of(*data.files[slot_index(key)]);
                                     },
                                     [&](std::string_view key, const std::string&) {
                                         return enr_table_of(*data.files[slot_index(key)]);
                                     }};
    try {
        const std::string why = to_bench(with_files, r.setup.bench, Naming::keyword, taken);
        if (!why.empty()) refuse_bench(v, with_files, why, read_again);
    } catch (const datafiles::FileError& e) {
        v.refuse("/data_files", e.what());
    }
    r.enr_table = std::move(data.enr_tables[slot_index("enr_table")]);
    r.dut_sparameters = std::move(data.touchstones[slot_index("dut_s2p")]);
    r.embedded = std::move(data.files);
}

void check_as_calculator_takes(const SetupFileValues& v, const SweepRequest& r) {
    const Setup& s = r.setup;
    check_models(v, s);
    check_fields(v, s);
    const Resolved taken = resolve(s, {false, Naming::keyword});
    if (!taken.applied.refused.empty()) v.refuse("/inputs", taken.applied.refused);
    for (const FieldInput& row : field_inputs()) {
        if (!s[row] || (row.scope == Scope::levels && !s.manual)) continue;
        if (!in_range(taken.result, row, *s[row])) {
            const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
            v.refuse(input_pointer(row), shortest_text(*s[row]) + unit + " is out of the field's " +
                                             range_text(taken.result, row));
        }
    }
}

}  // namespace orlavex::app
