#include "engine/analyzer_chain.h"
#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "engine/fields.h"
#include "engine/number_text.h"
#include "engine/numeric.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"
#include "measure/match.h"
#include "measure/y_factor.h"

namespace orlavex {

using enum Ctl;

namespace {

void fill_empty_fields(Calculator& calc) {
    for (const FieldRule& f : entry_fields) {
        if (calc.form[f.field].text.empty()) set_text(calc, f.field, std::string(f.empty_text));
    }
}

void set_frequency_limit(Calculator& calc) {
    CalcState& s = calc.state;
    if (!is_ticked(calc, chkFreqConv)) {
        s.FreqMax = s.SA_FreqMax < s.NS_FreqMax ? s.SA_FreqMax : s.NS_FreqMax;
    } else {
        s.FreqMax = s.NS_FreqMax;
    }
}

void show_frequency_tips(Calculator& calc) {
    const bool ns_user = calc.form[lblNSsel].text == user_selection;
    const bool sa_user = calc.form[lblSAsel].text == user_selection;
    if (!is_ticked(calc, chkFreqConv)) {
        calc.form[txtFreq].tooltip =
            ns_user && sa_user ? "Freq only relevant if Noise Source or Spectrum Analyzer selected"
                               : range_tip(calc, field_range(txtFreq));
    } else {
        calc.form[txtFreq].tooltip = ns_user ? "Freq only relevant if Noise Source selected"
                                             : range_tip(calc, field_range(txtFreq));
        calc.form[txtFreq2].tooltip = sa_user ? "Freq only relevant if Spectrum Analyzer selected"
                                              : range_tip(calc, field_range(txtFreq2));
    }
}

// Holds every input to the range of its field's form.
void bound_inputs(Calculator& calc) {
    CalcState& s = calc.state;
    for (const FieldRule& f : entry_fields) {
        const FieldRange& range = current_range(calc, f.field);
        const double upper = upper_end(s, range);
        s.*f.value = limit(s.*f.value, range.min, upper);
        // txtSA_InMatch also shows the external preamplifier's match.
        if (f.field == txtSA_InMatch) s.ExtPA_InMatch = limit(s.ExtPA_InMatch, range.min, upper);
    }
}

// A field with two forms gets the tool tip of the form it is in (the
// frequency tips are show_frequency_tips').
void show_range_tips(Calculator& calc) {
    for (const FieldRule& f : entry_fields) {
        const FieldRange& range = current_range(calc, f.field);
        if (range.form != ValueForm::plain) calc.form[f.field].tooltip = range_tip(calc, range);
    }
}

void clear_error_marking(Calculator& calc) {
    for (Ctl level : {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF}) {
        calc.form[level].backcolor = colour::window_background;
    }
    calc.form[lblYmeas].forecolor = colour::black;
    calc.form[lblYcal].forecolor = colour::black;
    set_text(calc, lblError, "");
    set_text(calc, chkUseManMeas,
             "Enable manual entry of measurement values     (NFdut, Gdut, and NFsa will be "
             "calculated)");
}

// After a run that showed nothing: the entry fields get the texts Do_Calc
// would have left in them.
void write_fields_once(Calculator& calc, const Run& run) {
    for (std::size_t i = 0; i < entry_fields.size(); ++i) {
        const Ctl field = entry_fields[i].field;
        if (run.levels_blanked && is_level_field(field)) {
            set_text(calc, field, std::string(blanked_level));
        } else {
            write_field(calc, i);
        }
    }
}

void show_source_temperatures(Calculator& calc, const Run& run) {
    set_text(calc, lblToff,
             "Toff: " + fmt(calc, calc.state.ToffK, " 0.0") + "K (" + fmt(calc, run.ToffF, "0.0") +
                 "F)");
    set_text(calc, lblENR_corr, "Eff. ENR: " + fmt(calc, run.ENR_eff, " 0.00") + "dB");
    set_text(calc, lblNSPon, "Pon: kTB+" + fmt(calc, run.Pon, "0.00") + "dB");
    set_text(calc, lblTon, "Ton: " + fmt(calc, run.Ton, " 0.0") + "K");
}

// Reads, applies the catalogues and bounds: the inputs of the run.
void take_inputs(Calculator& calc, Run& run) {
    comma_handler(calc);
    if (run.showing) {
        set_SA_values(calc);
        set_NS_values(calc);
        fill_empty_fields(calc);
    } else {
        apply_SA_values(calc);
        apply_NS_values(calc);
    }
    set_frequency_limit(calc);
    bound_inputs(calc);
    if (run.showing) {
        show_frequency_tips(calc);
        show_range_tips(calc);
    }
}

// The analyzer chain, the matches and the noise source, ahead of the
// prediction or the manual evaluation.
void compute_common(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    s.DUT_InGamma = measure::reflection(s.DUT_InMatch, is_selected(calc, optDUTIn_VSWR));
    s.DUT_OutGamma = measure::reflection(s.DUT_OutMatch, is_selected(calc, optDUTOut_VSWR));
    run.F_sa = net_analyzer_factor(calc, s.SA_Noise, s.ExtPA_NF, s.ExtPA_Gain);
    calc.figures.nf_sa_net_db = db(run.F_sa);
    if (run.showing) {
        clear_error_marking(calc);
        set_text(calc, lblNetSANF,
                 "Net Analyzer NF: " + fmt(calc, round_to(db(run.F_sa), 2), " 0.00") + "dB");
    }

    const bool sa_vswr = is_selected(calc, optSA_InMatch_VSWR);
    const bool ext_pa = is_ticked(calc, chkExtPA);
    s.SA_InGamma = measure::reflection(ext_pa ? s.ExtPA_InMatch : s.SA_InMatch, sa_vswr);
    s.NS_Gamma = measure::reflection(s.NS_Match, is_selected(calc, optNS_Match_VSWR));

    write_back_fields(calc, run);

    s.ToffK = s.Toff + measure::kelvin_offset;
    run.ToffF = s.Toff * 1.8 + 32;
    run.ENR_eff = measure::effective_enr_db(s.ENR, s.ToffK);
    run.Pon = measure::source_on_power_db(s.ENR);
    calc.figures.enr_eff_db = run.ENR_eff;
    run.Ton = measure::on_temperature_k(run.ENR_eff, s.ToffK);
    if (run.showing) show_source_temperatures(calc, run);
}

void recalculate(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    calc.figures = ClassicFigures{};
    take_inputs(calc, run);
    compute_common(calc, run);

    calc.figures.manual = is_ticked(calc, chkUseManMeas);
    const bool ok =
        is_ticked(calc, chkUseManMeas) ? evaluate_manual_levels(calc, run) : predict(calc, run);
    if (!ok) return;

    if (is_checked(calc, mnu2ndStage)) write_back_fields(calc, run);
    rate_guidelines(calc, run);
    compute_uncertainty(calc, run);
    calc.figures.valid = true;
    if (s.NF_Unc != no_uncertainty) calc.figures.rss_db = s.NF_Unc;
    calc.figures.bias_db = s.NF_Bias;
    if (run.showing) DisplayNFunc(calc);
}

}  // namespace

std::string fmt(const Calculator& calc, double x, const char* format) {
    return format_number(x, format, calc.form.decimal_separator);
}

void Do_Calc(Calculator& calc) {
    Run run;
    recalculate(calc, run);
}

void recalculate_figures(Calculator& calc) {
    // The click handlers the option buttons would run write only texts,
    // which this run leaves alone.
    const ClickHandler handler = calc.on_value_changed;
    calc.on_value_changed = nullptr;
    Run run;
    run.showing = false;
    recalculate(calc, run);
    write_fields_once(calc, run);
    calc.on_value_changed = handler;
}

void write_back_fields(Calculator& calc, const Run& run) {
    if (run.showing) {
        Update_text_boxes(calc);
    } else {
        calc.form[optSA_Noise_NF].enabled = true;
        calc.form[optSA_Noise_DANL].enabled = true;
    }
}

void error_end(Calculator& calc, const Run& run) {
    if (calc.form[lblCalcSANoise].visible) {
        if (run.showing) {
            for (Ctl label : {lblCalcSANoise, lblCalcNF, lblCalcGain})
                set_text(calc, label, "- - -");
        }
        calc.form[optSA_Noise_NF].enabled = false;
        calc.form[optSA_Noise_DANL].enabled = false;
    }
    if (run.showing) DisplayNFunc(calc);
}

}  // namespace orlavex
