#include "python/input_docs.h"

#include "cli/field_options.h"
#include "engine/controls.h"
#include "engine/number_text.h"
#include "python/started_window.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace orlavex::python {

namespace {

using Line = std::pair<std::string, std::string>;  // keyword, what it is

std::string keyword(std::string_view option) {
    std::string k(option.substr(2));
    std::ranges::replace(k, '-', '_');
    return k;
}

void add_fields(std::vector<Line>& lines, Command command) {
    const Calculator started = started_window();
    for (const cli::FieldOption& o : cli::field_options()) {
        const bool taken = o.scope == cli::Scope::setup ||
                           (command == Command::point && o.scope == cli::Scope::prediction);
        if (!taken) continue;
        std::string help(o.help);
        if (o.format == Ctl::none || is_selected(started, o.format)) {
            help += " [" + general_text(started.state.*o.value, '.') + "]";
        }
        lines.emplace_back(keyword(o.name), help);
    }
}

}  // namespace

std::string input_docs(Command command) {
    std::vector<Line> lines;
    add_fields(lines, command);
    lines.emplace_back("noise_source",
                       "str: a catalogue model (orlavex.noise_sources()) or \"User\"");
    lines.emplace_back("freq_conv", "bool: the DUT converts frequency (then freq2 applies)");
    lines.emplace_back("no_second_stage", "bool: without second-stage correction");
    if (command == Command::point) {
        lines.emplace_back("analyzer", "str: a catalogue model (orlavex.analyzers()) or \"User\"");
        lines.emplace_back("int_preamp",
                           "True: the analyzer's internal preamplifier; 0 or 1 picks one of two");
        lines.emplace_back("ext_preamp",
                           "bool: an external preamplifier (implied by ext_preamp_*)");
        lines.emplace_back("noise_bw", "noise bandwidth of the readings, Hz [0: no jitter]");
        lines.emplace_back("tau", "integration time per reading, s [0: no jitter]");
        lines.emplace_back("trials", "Monte Carlo trials [100000; 20000 in sweep()]");
        lines.emplace_back("seed", "Monte Carlo seed [orlavex.DEFAULT_SEED]");
        lines.emplace_back("spec_shape",
                           "\"normal\" or \"rect\": the analyzer's specified "
                           "uncertainties [normal]");
    }
    std::size_t width = 0;
    for (const Line& l : lines)
        width = std::max(width, l.first.size());
    std::string doc =
        "Inputs (keyword arguments, as orlavex-cli's options with _ for -; numbers as float, int\n"
        "or str; an input not given, or None, keeps the window's start-up value in [ ]):\n";
    for (const auto& [name, help] : lines)
        doc += "    " + name + std::string(width + 2 - name.size(), ' ') + help + "\n";
    return doc;
}

}  // namespace orlavex::python
