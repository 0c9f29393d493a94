#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/number_text.h"
#include "engine/numeric.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/y_factor.h"

#include <string>
#include <utility>

namespace orlavex {

using enum Ctl;

namespace {

void mark(Calculator& calc, std::initializer_list<Ctl> levels) {
    for (Ctl level : levels)
        calc.form[level].backcolor = colour::light_red;
}

// Writes the error line and keeps its message with the figures.
void show_error(Calculator& calc, std::string message) {
    calc.figures.error = message;
    set_text(calc, lblError, std::move(message));
}

void disable_noise_form(Calculator& calc) {
    calc.form[optSA_Noise_NF].enabled = false;
    calc.form[optSA_Noise_DANL].enabled = false;
}

// A Y factor so close to 1 that lin(Y) - 1 vanishes carries no information;
// it is treated like a Y factor of 1 instead of taking a logarithm of 0.
bool is_usable_y(double y_dB) {
    return y_dB > 0 && lin(y_dB) - 1 > 0;
}

void end_with_error(Calculator& calc, bool inconsistent_levels) {
    calc.state.NF_Unc = no_uncertainty;
    set_text(calc, lblCalcNF, "- - -");
    set_text(calc, lblCalcGain, "- - -");
    if (inconsistent_levels) {
        set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
        calc.figures.nf_sa_net_db = not_computed;
    }
    disable_noise_form(calc);
    calc.form[lblInvalidG_NF].visible = false;
    Blank_Guidelines(calc);
    Update_text_boxes(calc);
    error_end(calc);
}

}  // namespace

bool evaluate_manual_levels(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    ClassicFigures& f = calc.figures;
    f.cal_on_dbm = s.CalON;
    f.cal_off_dbm = s.CalOFF;
    f.meas_on_dbm = s.MeasON;
    f.meas_off_dbm = s.MeasOFF;

    run.Ymeas_dB = s.MeasON - s.MeasOFF;
    f.ymeas_db = run.Ymeas_dB;
    const bool meas_err = !is_usable_y(run.Ymeas_dB);
    if (meas_err) {
        mark(calc, {txtMeasON, txtMeasOFF});
        show_error(calc, "Error: Meas OFF >= Meas ON");
        calc.form[lblYmeas].forecolor = colour::red;
        set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, run.Ymeas_dB, " 0.00") + " dB");
        set_text(calc, lblNFdutsa, "NF(dut+sa): ERROR");
        disable_noise_form(calc);
    } else {
        run.NF_sys = measure::noise_figure_from_y_db(run.ENR_eff, run.Ymeas_dB);
        f.nf_sys_db = run.NF_sys;
        set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, run.Ymeas_dB, " 0.00") + " dB");
        set_text(calc, lblNFdutsa, "NF(dut+sa): " + fmt(calc, run.NF_sys, "0.00") + " dB");
    }

    // Without the calibration step only the system noise figure is known.
    if (!is_checked(calc, mnu2ndStage)) {
        show_error(calc,
                   "Uncertainty not available for manual measurement values when 2nd Stage "
                   "Correction is off");
        for (Ctl label : {lblCalcNF, lblCalcGain, lblCalcSANoise})
            set_text(calc, label, "- - -");
        disable_noise_form(calc);
        s.NF_Unc = no_uncertainty;
        set_text(calc, chkUseManMeas,
                 "Enable manual entry of measurement values     (only NF(dut+sa) and Ymeas will be "
                 "calculated)");
        error_end(calc);
        return false;
    }

    run.Ycal_dB = s.CalON - s.CalOFF;
    f.ycal_db = run.Ycal_dB;
    set_text(calc, lblYcal, "Ycal: " + fmt(calc, run.Ycal_dB, " 0.00") + " dB");
    const bool cal_err = !is_usable_y(run.Ycal_dB);
    const bool cal_meas_err = s.CalOFF >= s.MeasOFF;

    if (cal_err) {
        mark(calc, {txtCalON, txtCalOFF});
        show_error(calc, "Error: Cal OFF >= Cal ON");
        calc.form[lblYcal].forecolor = colour::red;
        set_text(calc, lblNFsa, "NFsa: ERROR");
        set_text(calc, lblCalcSANoise, "- - -");
        set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
        f.nf_sa_net_db = not_computed;
        disable_noise_form(calc);
    } else {
        run.NF_sa_net = measure::noise_figure_from_y_db(run.ENR_eff, run.Ycal_dB);
        run.F_sa = lin(run.NF_sa_net);
        f.nf_sa_net_db = run.NF_sa_net;
        set_text(calc, lblNFsa, "NFsa: " + fmt(calc, run.NF_sa_net, "0.00") + " dB");
        set_text(calc, lblNetSANF,
                 "Net Analyzer NF: " + fmt(calc, round_to(run.NF_sa_net, 2), " 0.00") + "dB");
        // The measured value replaces the analyzer noise input.
        s.SA_Noise = is_selected(calc, optSA_Noise_NF)
                         ? run.NF_sa_net
                         : measure::level_from_noise_figure(run.NF_sa_net);
    }

    if (meas_err || cal_err) {
        end_with_error(calc, true);
        return false;
    }
    const double G = measure::gain_from_levels(s.CalON, s.CalOFF, s.MeasON, s.MeasOFF);
    s.DUT_Gain = db(G);
    // Second-stage correction.
    const double F_dut = measure::remove_second_stage(lin(run.NF_sys), run.F_sa, G);
    if (cal_meas_err) {
        mark(calc, {txtCalOFF, txtMeasOFF});
        show_error(calc, "Error: Cal OFF >= Meas OFF");
        end_with_error(calc, true);
        return false;
    }
    if (F_dut > 0) s.DUT_NF = round_to(db(F_dut), 5);
    if (F_dut <= 0 || s.DUT_NF < 0) {
        mark(calc, {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF});
        show_error(calc, "Error: Levels indicate NFdut < 0");
        end_with_error(calc, false);
        return false;
    }
    f.nf_dut_db = s.DUT_NF;
    f.gain_db = s.DUT_Gain;
    f.nf_sa_db = run.NF_sa_net;
    return true;
}

}  // namespace orlavex
