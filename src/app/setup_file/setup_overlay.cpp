#include "app/setup_file/setup_overlay.h"

#include "app/inputs/classic_apply.h"

#include <algorithm>

namespace orlavex::app {

namespace {

void overlay_fields(Setup& file, const Setup& command, const GivenInputs& given) {
    for (const FieldInput& row : field_inputs()) {
        if (!given.contains(row.name)) continue;
        for (const FieldInput& other : field_inputs()) {
            if (same_field_other_form(row, other)) file[other].reset();
        }
        file[row] = command[row];
    }
    if (given.contains("analyzer")) file.analyzer = command.analyzer;
    if (given.contains("noise_source")) file.noise_source = command.noise_source;
    if (given.contains("int_preamp")) {
        file.int_preamp = command.int_preamp;
        file.int_preamp_option = command.int_preamp_option;
    }
    if (given.contains("ext_preamp")) file.ext_preamp = command.ext_preamp;
    if (given.contains("freq_conv")) file.freq_conv = command.freq_conv;
    if (given.contains("no_second_stage")) file.second_stage = command.second_stage;
    file.manual = command.manual;  // the command's own: evaluate or not
}

void overlay_model(ModelInputs& file, const ModelInputs& command, const GivenInputs& given) {
    for (const ModelInput& row : every_model_input) {
        if (!given.contains(row.name)) continue;
        switch (row.kind) {
            case ModelValue::not_negative:
                file.*row.number = command.*row.number;
                break;
            case ModelValue::trials:
                file.trials = command.trials;
                break;
            case ModelValue::seed:
                file.seed = command.seed;
                break;
            case ModelValue::optional_number:
                file.*row.optional = command.*row.optional;
                break;
            case ModelValue::choice:
                row.choice->set(file, row.choice->get(command));
                break;
            case ModelValue::reflection:
                file.*row.reflection = command.*row.reflection;
                break;
        }
    }
}

void overlay_sweep(SweepRequest& file, const SweepRequest& command, const GivenInputs& given) {
    if (given.contains("over")) file.over = command.over;
    if (given.contains("from")) file.from = command.from;
    if (given.contains("to")) file.to = command.to;
    if (given.contains("points")) file.points = command.points;
    if (given.contains("log")) file.log = command.log;
    if (given.contains("match_form")) file.match_form = command.match_form;
    if (given.contains("mc")) file.monte_carlo = command.monte_carlo;
    if (given.contains("fixed_if") || given.contains("fixed_lo")) {
        file.fixed_if = command.fixed_if;
        file.fixed_lo = command.fixed_lo;
    }
    if (given.contains("enr_table")) {
        file.enr_table_path = command.enr_table_path;
        file.enr_table = command.enr_table;
        file.embedded[slot_index("enr_table")].reset();
    }
    if (given.contains("dut_s2p")) {
        file.dut_s2p_path = command.dut_s2p_path;
        file.dut_sparameters = command.dut_sparameters;
        file.embedded[slot_index("dut_s2p")].reset();
    }
}

bool is_source_kind(std::string_view keyword) {
    return keyword == "meas_noise_source" || keyword == "meas_enr" || keyword == "meas_enr_table";
}

// A row given on the command line drops the file's rows it cannot go with.
void drop_excluded(BenchInputs& merged, const BenchInputRow& given_row) {
    for (const BenchInputRow& row : bench_input_rows) {
        const bool excluded = row.excludes == given_row.name || given_row.excludes == row.name ||
                              (is_source_kind(row.name) && is_source_kind(given_row.name));
        if (&row == &given_row || !excluded) continue;
        if (row.number != nullptr) (merged.*row.number).reset();
        if (row.text != nullptr) (merged.*row.text).reset();
    }
}

// A bench file the overlay dropped (a loss given as a value over the file's
// Touchstone file, another kind of measurement source over its ENR table)
// takes its embedded copy with it, or the set-up would be saved with both.
void drop_unused_copies(SweepRequest& file) {
    const planning::BenchInput& bench = file.setup.bench;
    for (const BenchInputRow& row : bench_input_rows) {
        if (row.text == nullptr || !is_data_file_slot(row.name)) continue;
        const bool in_use = bench_touchstone(bench, row.name) || bench_enr_table(bench, row.name);
        if (!in_use) file.embedded[slot_index(row.name)].reset();
    }
}

std::string overlay_bench(SweepRequest& file, const BenchInputs& bench, const GivenInputs& given,
                          Naming naming) {
    const auto given_row = [&](const BenchInputRow& row) { return given.contains(row.name); };
    if (std::ranges::none_of(bench_input_rows, given_row)) return {};
    const planning::BenchInput before = file.setup.bench;
    BenchInputs merged = bench_inputs_of(before);
    for (const BenchInputRow& row : bench_input_rows) {
        if (!given_row(row)) continue;
        drop_excluded(merged, row);
        if (row.number != nullptr) merged.*row.number = bench.*row.number;
        if (row.text != nullptr) merged.*row.text = bench.*row.text;
        // A file given anew replaces the copy the set-up file embeds (the
        // measurement source's catalogue name is a text but no file).
        if (row.text != nullptr && is_data_file_slot(row.name))
            file.embedded[slot_index(row.name)].reset();
    }
    // A file row the command line did not give keeps the set-up file's table.
    const BenchFileReader files{
        [&](std::string_view keyword, const std::string& path) {
            const auto* table = bench_touchstone(before, keyword);
            return given.contains(keyword) || !table ? datafiles::read_touchstone(path) : *table;
        },
        [&](std::string_view keyword, const std::string& path) {
            const auto* table = bench_enr_table(before, keyword);
            return given.contains(keyword) || !table ? datafiles::read_enr_file(path) : *table;
        }};
    std::string why = to_bench(merged, file.setup.bench, naming, files);
    drop_unused_copies(file);
    return why;
}

}  // namespace

std::string overlay(SweepRequest& file, const SweepRequest& command, const BenchInputs& bench,
                    const GivenInputs& given, Naming naming) {
    overlay_fields(file.setup, command.setup, given);
    overlay_model(file.setup.model, command.setup.model, given);
    overlay_sweep(file, command, given);
    return overlay_bench(file, bench, given, naming);
}

SweepRequest with_window_values(SweepRequest request) {
    const Resolved taken = resolve(request.setup);
    if (!taken.applied.refused.empty()) return request;
    for (const FieldInput& row : field_inputs()) {
        std::optional<double>& value = request.setup[row];
        if (value && (row.scope != Scope::levels || request.setup.manual))
            value = taken.result.used.values.*row.value;
    }
    return request;
}

}  // namespace orlavex::app
