#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/number_text.h"
#include "engine/numeric.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/match.h"
#include "measure/y_factor.h"

namespace orlavex {

using enum Ctl;

namespace {

std::string range_tip(const Calculator& calc, double max) {
    return "Range: 0.01 to " + general_text(max, calc.form.decimal_separator) + " GHz";
}

void fill_empty_fields(Calculator& calc) {
    for (const FieldRule& f : entry_fields) {
        if (calc.form[f.field].text.empty()) set_text(calc, f.field, std::string(f.empty_text));
    }
}

void set_frequency_limit(Calculator& calc) {
    CalcState& s = calc.state;
    const bool ns_user = calc.form[lblNSsel].text == user_selection;
    const bool sa_user = calc.form[lblSAsel].text == user_selection;
    if (!is_ticked(calc, chkFreqConv)) {
        s.FreqMax = s.SA_FreqMax < s.NS_FreqMax ? s.SA_FreqMax : s.NS_FreqMax;
        calc.form[txtFreq].tooltip =
            ns_user && sa_user ? "Freq only relevant if Noise Source or Spectrum Analyzer selected"
                               : range_tip(calc, s.FreqMax);
    } else {
        s.FreqMax = s.NS_FreqMax;
        calc.form[txtFreq].tooltip =
            ns_user ? "Freq only relevant if Noise Source selected" : range_tip(calc, s.NS_FreqMax);
        calc.form[txtFreq2].tooltip = sa_user ? "Freq only relevant if Spectrum Analyzer selected"
                                              : range_tip(calc, s.SA_FreqMax);
    }
}

void bound_inputs(Calculator& calc) {
    CalcState& s = calc.state;
    s.DUT_NF = limit(s.DUT_NF, 0, 100);
    s.DUT_Gain = limit(s.DUT_Gain, -100, 100);
    s.Freq = limit(s.Freq, 0.01, s.FreqMax);
    s.Freq2 = limit(s.Freq2, 0.01, s.SA_FreqMax);
    s.ExtPA_Gain = limit(s.ExtPA_Gain, 0, 50);
    s.ExtPA_NF = limit(s.ExtPA_NF, 0, 40);
    s.SAGainUnc = limit(s.SAGainUnc, 0, 1);
    s.SANFUnc = limit(s.SANFUnc, 0, 1);
    s.ENR_Unc = limit(s.ENR_Unc, 0, 5);
    s.ENR = limit(s.ENR, 0, 30);
    s.Toff = limit(s.Toff, -100, 100);
    for (double* level : {&s.CalON, &s.CalOFF, &s.MeasON, &s.MeasOFF}) {
        *level = limit(*level, -174, 0);
    }
    if (is_selected(calc, optSA_Noise_NF)) {
        s.SA_Noise = limit(s.SA_Noise, 0, 60);
        calc.form[txtSA_Noise].tooltip = "NF Range: 0 to 60 dB";
    } else {
        s.SA_Noise = limit(s.SA_Noise, -176.22, -116.22);
        calc.form[txtSA_Noise].tooltip = "DANL Range: -176.22 to -116.22 dBm/Hz";
    }
    struct Match {
        double* value;
        Ctl vswr_option;
        Ctl field;
        double rl_max;
    };
    const Match matches[] = {
        {&s.DUT_InMatch, optDUTIn_VSWR, txtDUT_InMatch, 50.0},
        {&s.DUT_OutMatch, optDUTOut_VSWR, txtDUT_OutMatch, s.RL_Max},
        {&s.NS_Match, optNS_Match_VSWR, txtNS_Match, s.RL_Max},
        {&s.SA_InMatch, optSA_InMatch_VSWR, txtSA_InMatch, s.RL_Max},
        {&s.ExtPA_InMatch, optSA_InMatch_VSWR, txtSA_InMatch, s.RL_Max},
    };
    for (const Match& m : matches) {
        if (is_selected(calc, m.vswr_option)) {
            *m.value = limit(*m.value, 1, 35);
            calc.form[m.field].tooltip = "Range: 1 to 35";
        } else {
            *m.value = limit(*m.value, 0.5, m.rl_max);
            calc.form[m.field].tooltip =
                "Range: 0.5 to " + general_text(s.RL_Max, calc.form.decimal_separator) + " dB";
        }
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

}  // namespace

std::string fmt(const Calculator& calc, double x, const char* format) {
    return format_number(x, format, calc.form.decimal_separator);
}

void Do_Calc(Calculator& calc) {
    CalcState& s = calc.state;
    Run run;
    calc.figures = ClassicFigures{};

    comma_handler(calc);
    set_SA_values(calc);
    set_NS_values(calc);
    fill_empty_fields(calc);
    set_frequency_limit(calc);
    bound_inputs(calc);

    s.DUT_InGamma = measure::reflection(s.DUT_InMatch, is_selected(calc, optDUTIn_VSWR));
    s.DUT_OutGamma = measure::reflection(s.DUT_OutMatch, is_selected(calc, optDUTOut_VSWR));
    run.F_sa =
        lin(is_selected(calc, optSA_Noise_NF) ? s.SA_Noise
                                              : measure::noise_figure_from_level(s.SA_Noise));
    clear_error_marking(calc);

    const double G_pa = lin(s.ExtPA_Gain);
    const double F_pa = lin(s.ExtPA_NF);
    const bool ext_pa = is_ticked(calc, chkExtPA);
    if (ext_pa) run.F_sa = measure::cascade(F_pa, run.F_sa, G_pa);  // preamplifier first
    set_text(calc, lblNetSANF,
             "Net Analyzer NF: " + fmt(calc, round_to(db(run.F_sa), 2), " 0.00") + "dB");
    calc.figures.nf_sa_net_db = db(run.F_sa);

    const bool sa_vswr = is_selected(calc, optSA_InMatch_VSWR);
    s.SA_InGamma = measure::reflection(ext_pa ? s.ExtPA_InMatch : s.SA_InMatch, sa_vswr);
    s.NS_Gamma = measure::reflection(s.NS_Match, is_selected(calc, optNS_Match_VSWR));

    Update_text_boxes(calc);

    s.ToffK = s.Toff + measure::kelvin_offset;
    run.ToffF = s.Toff * 1.8 + 32;
    set_text(calc, lblToff,
             "Toff: " + fmt(calc, s.ToffK, " 0.0") + "K (" + fmt(calc, run.ToffF, "0.0") + "F)");

    run.ENR_eff = measure::effective_enr_db(s.ENR, s.ToffK);
    run.Pon = measure::source_on_power_db(s.ENR);
    calc.figures.enr_eff_db = run.ENR_eff;
    set_text(calc, lblENR_corr, "Eff. ENR: " + fmt(calc, run.ENR_eff, " 0.00") + "dB");
    set_text(calc, lblNSPon, "Pon: kTB+" + fmt(calc, run.Pon, "0.00") + "dB");
    run.Ton = measure::on_temperature_k(run.ENR_eff, s.ToffK);
    set_text(calc, lblTon, "Ton: " + fmt(calc, run.Ton, " 0.0") + "K");

    calc.figures.manual = is_ticked(calc, chkUseManMeas);
    const bool ok =
        is_ticked(calc, chkUseManMeas) ? evaluate_manual_levels(calc, run) : predict(calc, run);
    if (!ok) return;

    if (is_checked(calc, mnu2ndStage)) Update_text_boxes(calc);
    rate_guidelines(calc, run);
    compute_uncertainty(calc, run);
    calc.figures.valid = true;
    if (s.NF_Unc != no_uncertainty) calc.figures.rss_db = s.NF_Unc;
    calc.figures.bias_db = s.NF_Bias;
    DisplayNFunc(calc);
}

void error_end(Calculator& calc) {
    if (calc.form[lblCalcSANoise].visible) {
        for (Ctl label : {lblCalcSANoise, lblCalcNF, lblCalcGain})
            set_text(calc, label, "- - -");
        calc.form[optSA_Noise_NF].enabled = false;
        calc.form[optSA_Noise_DANL].enabled = false;
    }
    DisplayNFunc(calc);
}

}  // namespace orlavex
