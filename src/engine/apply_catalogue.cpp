#include "engine/apply_catalogue.h"

#include "catalogue/catalogue.h"
#include "core/classic_inputs.h"
#include "core/number_text.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"

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
    calc.form[lblSpecNoise].visible = false;
}

}  // namespace

namespace {

// The values the chosen models give, computed by the core from the window's
// set-up with the frequencies its fields show.
core::ClassicResult catalogue_values(const Calculator& calc) {
    core::ClassicResult r;
    r.used = read_classic_setup(calc);
    r.used.values.freq_ghz = read_number(calc.form[txtFreq].text);
    r.used.values.freq2_ghz = read_number(calc.form[txtFreq2].text);
    core::apply_catalogues(r);
    return r;
}

// Locks what a catalogue analyzer fixes and chooses the forms it gives.
void lock_for_analyzer(Calculator& calc, const catalogue::AnalyzerModel& model, bool ext_pa) {
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

    if (catalogue::preamp_kind(model) == catalogue::Preamp::none) {
        // Clearing from code starts no recalculation: one is already running
        // or about to run.
        set_check_quietly(calc, chkIntPA, 0);
        calc.form[chkIntPA].enabled = false;
    } else {
        calc.form[chkIntPA].enabled = true;
    }
    calc.form[lblSpecNoise].visible = true;
    if (catalogue::preamp_kind(model) == catalogue::Preamp::options) {
        calc.form[mnuIntPA].text = std::string(catalogue::option0_caption(model));
    }
}

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
    const core::ClassicResult r = catalogue_values(calc);
    const catalogue::AnalyzerModel* model = r.used.choices.analyzer;
    calc.state.SA_FreqMax = r.analyzer_freq_max_ghz;
    if (model == nullptr) {
        unlock_for_user_analyzer(calc);
        return std::nullopt;
    }
    const bool ext_pa = is_ticked(calc, chkExtPA);
    lock_for_analyzer(calc, *model, ext_pa);
    const core::ClassicValues& v = r.used.values;
    if (!ext_pa) calc.state.SA_InMatch = v.analyzer_match;
    calc.state.SA_Noise = v.analyzer_noise;
    return AnalyzerFieldValues{model, v.analyzer_match, v.analyzer_noise, ext_pa};
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
    const core::ClassicResult r = catalogue_values(calc);
    const catalogue::NoiseSourceModel* model = r.used.choices.noise_source;
    calc.state.NS_FreqMax = r.source_freq_max_ghz;
    if (model == nullptr) {
        enable(calc, {txtNS_Match, optNS_Match_VSWR, optNS_Match_RL}, true);
        return std::nullopt;
    }
    calc.form[txtNS_Match].enabled = false;
    select_option(calc, optNS_Match_VSWR);
    enable(calc, {optNS_Match_VSWR, optNS_Match_RL}, false);
    calc.state.NS_Match = r.used.values.source_match;
    const double f = read_number(calc.form[txtFreq].text);
    return SourceFieldValues{catalogue::output_vswr(*model, f), catalogue::nominal_enr(*model)};
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
