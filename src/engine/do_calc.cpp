#include "core/number_text.h"
#include "engine/apply_catalogue.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "engine/fields.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

namespace orlavex {

using enum Ctl;

namespace {

void fill_empty_fields(Calculator& calc) {
    for (const FieldRule& f : entry_fields) {
        if (calc.form[f.field].text.empty()) set_text(calc, f.field, std::string(f.empty_text));
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

void show_source_temperatures(Calculator& calc, const core::ClassicResult& r) {
    set_text(calc, lblToff,
             "Toff: " + fmt(calc, r.toff_k, " 0.0") + "K (" + fmt(calc, r.toff_f, "0.0") + "F)");
    set_text(calc, lblENR_corr, "Eff. ENR: " + fmt(calc, r.enr_eff_db, " 0.00") + "dB");
    set_text(calc, lblNSPon, "Pon: kTB+" + fmt(calc, r.pon_db, "0.00") + "dB");
    set_text(calc, lblTon, "Ton: " + fmt(calc, r.ton_k, " 0.0") + "K");
}

// The catalogues' locks and texts, and the state the core computed.
void take_inputs(Calculator& calc, const Run& run) {
    if (run.showing) {
        set_SA_values(calc);
        set_NS_values(calc);
        fill_empty_fields(calc);
    } else {
        apply_SA_values(calc);
        apply_NS_values(calc);
    }
    adopt_classic_result(calc.state, run.result);
    if (run.showing) {
        show_frequency_tips(calc);
        show_range_tips(calc);
    }
}

// The analyzer chain, the matches and the noise source, ahead of the
// prediction or the manual evaluation.
void show_common(Calculator& calc, const Run& run) {
    if (run.showing) {
        clear_error_marking(calc);
        set_text(calc, lblNetSANF,
                 "Net Analyzer NF: " + fmt(calc, round_to(run.result.nf_sa_given_db, 2), " 0.00") +
                     "dB");
    }
    write_back_fields(calc, run);
    if (run.showing) show_source_temperatures(calc, run.result);
}

void recalculate(Calculator& calc, Run& run) {
    comma_handler(calc);
    run.result = core::classic_figures(read_classic_setup(calc));
    calc.figures = run.result.figures;
    take_inputs(calc, run);
    show_common(calc, run);

    const bool ok = run.result.used.choices.manual ? show_manual_evaluation(calc, run)
                                                   : show_prediction(calc, run);
    if (!ok) return;

    if (is_checked(calc, mnu2ndStage)) write_back_fields(calc, run);
    show_guidelines(calc, run);
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
