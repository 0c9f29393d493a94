#include "window/set_up_actions.h"

#include "catalogue/catalogue.h"
#include "core/number_text.h"
#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/handlers.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include <algorithm>
#include <cmath>

namespace orlavex {

using enum Ctl;

namespace {

std::string choose(Calculator& calc, std::string_view name, Ctl top, Ctl user_item,
                   bool in_catalogue, std::string_view what) {
    if (name == user_selection) return click_control(calc, user_item);
    if (!in_catalogue) return "unknown " + std::string(what) + " \"" + std::string(name) + "\"";
    const Ctl item = menu_item_captioned(calc, top, name);
    if (item == Ctl::none) return "\"" + std::string(name) + "\" is not in the menu";
    return click_control(calc, item);
}

std::string set_box(Calculator& calc, Ctl box, bool on) {
    if (is_ticked(calc, box) == on) return {};
    return click_control(calc, box);
}

std::string select(Calculator& calc, Ctl option) {
    if (is_selected(calc, option)) return {};
    return click_control(calc, option);
}

}  // namespace

Calculator started_calculator() {
    Calculator calc = make_calculator();
    Form_Load(calc);
    return calc;
}

std::string choose_analyzer(Calculator& calc, std::string_view name) {
    return choose(calc, name, mnuSAtop, mnuSAuser, catalogue::find_analyzer(name) != nullptr,
                  "analyzer");
}

std::string choose_noise_source(Calculator& calc, std::string_view name) {
    return choose(calc, name, mnuNStop, mnuNSuser, catalogue::find_noise_source(name) != nullptr,
                  "noise source");
}

std::string set_internal_preamp(Calculator& calc, bool on, std::optional<int> option) {
    if (on && !calc.form[chkIntPA].enabled) {
        return "the analyzer " + calc.form[lblSAsel].text + " has no internal preamplifier";
    }
    calc.form.popup = Ctl::none;
    if (std::string why = set_box(calc, chkIntPA, on); !why.empty()) return why;
    // Ticking the box of an analyzer with two preamplifiers opens the menu
    // that asks which one is fitted; an option given picks it there.
    calc.form.popup = Ctl::none;
    if (!on || !option) return {};
    const catalogue::AnalyzerModel* model = catalogue::find_analyzer(calc.form[lblSAsel].text);
    if (model == nullptr || catalogue::preamp_kind(*model) != catalogue::Preamp::options) {
        return "the analyzer " + calc.form[lblSAsel].text + " has one internal preamplifier";
    }
    if (*option != 0 && *option != 1) return "preamplifier option " + std::to_string(*option);
    return click_control(calc, item(mnuIntPA, *option));
}

std::string set_external_preamp(Calculator& calc, bool on) {
    return set_box(calc, chkExtPA, on);
}

std::string set_frequency_conversion(Calculator& calc, bool on) {
    return set_box(calc, chkFreqConv, on);
}

Ctl match_field(core::MatchPort port) {
    using core::MatchPort;
    switch (port) {
        case MatchPort::dut_input:
            return txtDUT_InMatch;
        case MatchPort::dut_output:
            return txtDUT_OutMatch;
        case MatchPort::source:
            return txtNS_Match;
        case MatchPort::analyzer:
            return txtSA_InMatch;
    }
    return Ctl::none;
}

std::string set_match_form(Calculator& calc, core::MatchPort port, core::MatchForm form) {
    using core::MatchPort;
    const bool vswr = form == core::MatchForm::vswr;
    switch (port) {
        case MatchPort::dut_input:
            return select(calc, vswr ? optDUTIn_VSWR : optDUTIn_RL);
        case MatchPort::dut_output:
            return select(calc, vswr ? optDUTOut_VSWR : optDUTOut_RL);
        case MatchPort::source:
            return select(calc, vswr ? optNS_Match_VSWR : optNS_Match_RL);
        case MatchPort::analyzer:
            return select(calc, vswr ? optSA_InMatch_VSWR : optSA_InMatch_RL);
    }
    return {};
}

std::string set_analyzer_noise_as_nf(Calculator& calc, bool as_nf) {
    return select(calc, as_nf ? optSA_Noise_NF : optSA_Noise_DANL);
}

std::string enter_text(Calculator& calc, Ctl field, std::string_view text) {
    if (!calc.form[field].enabled) {
        return std::string(layout_row(field).name) + " is locked by the chosen instrument";
    }
    if (std::string why = paste_text(calc, field, text); !why.empty()) return why;
    Do_Calc(calc);
    return {};
}

}  // namespace orlavex
