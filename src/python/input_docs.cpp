#include "python/input_docs.h"

#include "app/commands.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"
#include "core/number_text.h"

#include <cmath>

#include <algorithm>
#include <utility>
#include <vector>

namespace orlavex::python {

namespace {

using Line = std::pair<std::string, std::string>;  // keyword, what it is

std::string model_help(const app::ModelInput& row) {
    switch (row.kind) {
        case app::ModelValue::not_negative:
            return std::string(row.help) + " [0]";
        case app::ModelValue::optional_number:
            return std::string(row.help) + " [None]";
        case app::ModelValue::trials:
            return std::string(row.help) + " [" + std::to_string(app::point_trials) + "; " +
                   std::to_string(app::sweep_trials) + " in sweep()]";
        case app::ModelValue::seed:
            return std::string(row.help) + " [orlavex.DEFAULT_SEED]";
        case app::ModelValue::choice:
            return "\"" + app::choice_list(row, "\" or \"") + "\": " + std::string(row.help) +
                   " [" + std::string(row.choice->names.front()) + "]";
        case app::ModelValue::reflection:
            return "complex or \"MAG@DEG\": " + std::string(row.help) + " [None]";
    }
    return std::string(row.help);
}

void add_fields(std::vector<Line>& lines, app::Scope scope) {
    for (const app::FieldInput& row : app::field_inputs()) {
        if (!app::takes(scope, row)) continue;
        std::string help(row.help);
        if (!std::isnan(row.start)) help += " [" + general_text(row.start, '.') + "]";
        lines.emplace_back(std::string(row.name), help);
    }
}

}  // namespace

std::string input_docs(const app::Command& command) {
    const app::Scope scope = command.scope;
    std::vector<Line> lines;
    add_fields(lines, scope);
    lines.emplace_back("noise_source",
                       "str: a catalogue model (orlavex.noise_sources()) or \"User\"");
    lines.emplace_back("freq_conv", "bool: the DUT converts frequency (then freq2 applies)");
    lines.emplace_back("no_second_stage", "bool: without second-stage correction");
    if (scope == app::Scope::prediction) {
        lines.emplace_back("analyzer", "str: a catalogue model (orlavex.analyzers()) or \"User\"");
        lines.emplace_back("int_preamp",
                           "True: the analyzer's internal preamplifier; 0 or 1 picks one of two");
        lines.emplace_back("ext_preamp",
                           "bool: an external preamplifier (implied by ext_preamp_*)");
    }
    for (const app::ModelInput& row : app::every_model_input) {
        if (app::takes(command, row)) lines.emplace_back(std::string(row.name), model_help(row));
    }
    for (const app::BenchInputRow& row : app::bench_input_rows) {
        if (command.bench) lines.emplace_back(std::string(row.name), app::bench_help(row));
    }
    lines.emplace_back("strict", "True: refuse a value the window would round or bound");
    std::size_t width = 0;
    for (const Line& l : lines)
        width = std::max(width, l.first.size());
    std::string doc =
        "Inputs (keyword arguments; numbers as float, int or str; an input not given, or None,\n"
        "keeps the window's start-up value in [ ]; a value the window rounds or bounds is\n"
        "noted in the result's \"notes\", a list present only then):\n";
    for (const auto& [name, help] : lines)
        doc += "    " + name + std::string(width + 2 - name.size(), ' ') + help + "\n";
    return doc;
}

}  // namespace orlavex::python
