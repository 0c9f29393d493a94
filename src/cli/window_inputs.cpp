#include "cli/window_inputs.h"

#include "app/setup_file/setup_file.h"
#include "app/texts.h"
#include "datafiles/file_error.h"

#include <charconv>
#include <filesystem>
#include <vector>

namespace orlavex::cli {

namespace {

// A number as the command line takes it: an optional minus, digits with at
// most one decimal point or comma.
std::optional<double> number(std::string text) {
    std::string_view digits = text;
    if (digits.starts_with('-')) digits.remove_prefix(1);
    bool digit = false;
    bool separator = false;
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    for (char c : digits) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) return std::nullopt;
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    return x;
}

}  // namespace

const FieldEntry* WindowInputs::entry(std::string_view option_name) const {
    for (const FieldEntry& e : entries) {
        if (e.option->flag == option_name) return &e;
    }
    return nullptr;
}

std::string to_setup(const WindowInputs& in, const app::ModelInputs& model, app::Setup& setup) {
    for (const FieldEntry& e : in.entries) {
        const std::optional<double> x = number(e.text);
        if (!x)
            return std::string(e.option->flag) + ": " + app::quoted(e.text) + " is not a number";
        setup[*e.option] = *x;
    }
    setup.analyzer = in.analyzer;
    setup.noise_source = in.noise_source;
    setup.int_preamp = in.int_preamp;
    setup.int_preamp_option = in.int_preamp_option;
    setup.ext_preamp = in.ext_preamp;
    setup.freq_conv = in.freq_conv;
    setup.second_stage = !in.no_second_stage;
    setup.manual = in.manual;
    setup.model = model;
    try {
        return app::to_bench(in.bench, setup.bench, app::Naming::flag);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
}

std::string typed_request(const WindowInputs& inputs, const app::ModelInputs& model,
                          app::SweepRequest& request) {
    if (!inputs.enr_table.empty()) request.enr_table_path = inputs.enr_table;
    if (!inputs.dut_s2p.empty()) request.dut_s2p_path = inputs.dut_s2p;
    if (inputs.files.setup.empty()) return to_setup(inputs, model, request.setup);
    // The bench's inputs are checked once laid over the file's: a given
    // uncertainty alone may belong to the file's measurement source.
    WindowInputs without_bench = inputs;
    without_bench.bench = {};
    if (std::string why = to_setup(without_bench, model, request.setup); !why.empty()) return why;
    try {
        app::SweepRequest file = app::read_setup_file(inputs.files.setup);
        const std::string why =
            app::overlay(file, request, inputs.bench, inputs.files.given, app::Naming::flag);
        if (!why.empty()) return why;
        request = std::move(file);
    } catch (const app::SetupFileError& e) {
        return e.what();
    }
    return {};
}

std::string unused_sweep_files_note(const app::SweepRequest& request, std::string_view command) {
    std::vector<std::string> files;
    const auto add = [&](const std::string& what, const std::filesystem::path& path,
                         const std::string& name) {
        if (!name.empty() || !path.empty())
            files.push_back(what + " (" + (name.empty() ? path.filename().string() : name) + ")");
    };
    add("ENR table", request.enr_table_path,
        request.enr_table ? request.enr_table->name() : std::string());
    add("DUT S-parameters", request.dut_s2p_path,
        request.dut_sparameters ? request.dut_sparameters->name() : std::string());
    if (files.empty()) return {};
    const bool both = files.size() == 2;
    return "the set-up's " + files.front() + (both ? " and " + files.back() + " are" : " is") +
           " not used: " + std::string(command) +
           " computes with the fields as typed; sweep, advise and report read the " +
           (both ? "files" : "file") + " at each frequency";
}

}  // namespace orlavex::cli
