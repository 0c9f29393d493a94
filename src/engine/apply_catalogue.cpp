#include "engine/apply_catalogue.h"

#include "catalogue/catalogue.h"
#include "engine/controls.h"
#include "engine/number_text.h"

#include <optional>

namespace orlavex {

using enum Ctl;

namespace {

void enable(Calculator& calc, std::initializer_list<Ctl> ids, bool on) {
    for (Ctl id : ids)
        calc.form[id].enabled = on;
}

void unlock_for_user_analyzer(Calculator& calc) {
    enable(calc,
           {txtSA_InMatch, txtSA_Noise, optSA_InMatch_VSWR, optSA_InMatch_RL, optSA_Noise_NF,
            optSA_Noise_DANL},
           true);
    set_check_quietly(calc, chkIntPA, 0);
    calc.form[chkIntPA].enabled = false;
    enable(calc, {txtSAGainUnc, txtSANFUnc, Label40, Label43}, true);
    calc.state.SA_FreqMax = user_frequency_limit;
    calc.form[lblSpecNoise].visible = false;
}

}  // namespace

namespace {

// What a catalogue analyzer puts into the fields.
struct AnalyzerFieldValues {
    const catalogue::AnalyzerModel* model;
    double vswr;
    double noise;
    bool ext_pa;
};

// Applies the chosen analyzer to the state, the locks and the options;
// nothing to write for "User".
std::optional<AnalyzerFieldValues> apply_analyzer(Calculator& calc) {
    // Behind a frequency-converting DUT the analyzer sees the output frequency.
    const Ctl frequency_field = is_ticked(calc, chkFreqConv) ? txtFreq2 : txtFreq;
    const double f = read_number(calc.form[frequency_field].text);
    const std::string& name = calc.form[lblSAsel].text;
    const bool preamp_on = is_ticked(calc, chkIntPA);  // before the box may be cleared

    const catalogue::AnalyzerModel* model =
        name == user_selection ? nullptr : catalogue::find_analyzer(name);
    if (model == nullptr) {
        unlock_for_user_analyzer(calc);
        return std::nullopt;
    }
    const bool ext_pa = is_ticked(calc, chkExtPA);
    if (ext_pa) {
        // The field then holds the external preamplifier's match, always editable.
        enable(calc, {txtSA_InMatch, optSA_InMatch_VSWR, optSA_InMatch_RL}, true);
    } else {
        calc.form[txtSA_InMatch].enabled = false;
        select_option(calc, optSA_InMatch_VSWR);
        enable(calc,
               {optSA_InMatch_VSWR, optSA_InMatch_RL, txtSAGainUnc, txtSANFUnc, Label40, Label43},
               false);
    }
    // Catalogue noise is always a guaranteed noise level (DANL).
    enable(calc, {optSA_Noise_NF, optSA_Noise_DANL}, false);
    select_option(calc, optSA_Noise_DANL);
    calc.form[txtSA_Noise].enabled = false;

    if (catalogue::preamp_kind(*model) == catalogue::Preamp::none) {
        // Clearing from code starts no recalculation: one is already running
        // or about to run.
        set_check_quietly(calc, chkIntPA, 0);
        calc.form[chkIntPA].enabled = false;
    } else {
        calc.form[chkIntPA].enabled = true;
    }
    calc.form[lblSpecNoise].visible = true;

    const double vswr = catalogue::analyzer_input_vswr(*model, f);
    calc.state.SA_FreqMax = catalogue::upper_frequency(*model);
    bool option0 = false;
    if (catalogue::preamp_kind(*model) == catalogue::Preamp::options) {
        calc.form[mnuIntPA].text = std::string(catalogue::option0_caption(*model));
        option0 = calc.form[mnuIntPA].checked;
    }
    const double noise = catalogue::analyzer_noise(*model, f, preamp_on, option0);
    if (!ext_pa) calc.state.SA_InMatch = vswr;
    calc.state.SA_Noise = noise;
    return AnalyzerFieldValues{model, vswr, noise, ext_pa};
}

void write_analyzer_fields(Calculator& calc, const AnalyzerFieldValues& v) {
    const char sep = calc.form.decimal_separator;
    set_text(calc, txtSAGainUnc, std::string(catalogue::gain_uncertainty_text(*v.model)));
    set_text(calc, txtSANFUnc, std::string(catalogue::nf_uncertainty_text(*v.model)));
    if (!v.ext_pa) set_text(calc, txtSA_InMatch, general_text(v.vswr, sep));
    set_text(calc, txtSA_Noise, general_text(v.noise, sep));
}

// What a catalogue noise source puts into the fields.
struct SourceFieldValues {
    double vswr;
    double enr;
};

std::optional<SourceFieldValues> apply_source(Calculator& calc) {
    const std::string& name = calc.form[lblNSsel].text;
    const catalogue::NoiseSourceModel* model =
        name == user_selection ? nullptr : catalogue::find_noise_source(name);
    if (model == nullptr) {
        enable(calc, {txtNS_Match, optNS_Match_VSWR, optNS_Match_RL}, true);
        calc.state.NS_FreqMax = user_frequency_limit;
        return std::nullopt;
    }
    calc.form[txtNS_Match].enabled = false;
    select_option(calc, optNS_Match_VSWR);
    enable(calc, {optNS_Match_VSWR, optNS_Match_RL}, false);
    // The noise source always sees the DUT's input frequency.
    const double f = read_number(calc.form[txtFreq].text);
    calc.state.NS_FreqMax = catalogue::upper_frequency(*model);
    const double vswr = catalogue::output_vswr(*model, f);
    // The match as its field's text reads back.
    calc.state.NS_Match = shown_value(vswr);
    return SourceFieldValues{vswr, catalogue::nominal_enr(*model)};
}

void write_source_fields(Calculator& calc, const SourceFieldValues& v) {
    const char sep = calc.form.decimal_separator;
    set_text(calc, txtNS_Match, general_text(v.vswr, sep));
    set_text(calc, txtENR, general_text(v.enr, sep));
}

}  // namespace

void set_SA_values(Calculator& calc) {
    if (const auto values = apply_analyzer(calc)) write_analyzer_fields(calc, *values);
}

void apply_SA_values(Calculator& calc) {
    apply_analyzer(calc);
}

void set_NS_values(Calculator& calc) {
    if (const auto values = apply_source(calc)) write_source_fields(calc, *values);
}

void apply_NS_values(Calculator& calc) {
    apply_source(calc);
}

}  // namespace orlavex
