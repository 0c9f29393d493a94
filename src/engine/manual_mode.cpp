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

void mark(Calculator& calc, const Run& run, std::initializer_list<Ctl> levels) {
    if (!run.showing) return;
    for (Ctl level : levels)
        calc.form[level].backcolor = colour::light_red;
}

// Keeps the error line's message with the figures, and writes it.
void report_error(Calculator& calc, const Run& run, std::string message) {
    calc.figures.error = message;
    if (run.showing) set_text(calc, lblError, std::move(message));
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

void end_with_error(Calculator& calc, const Run& run, bool inconsistent_levels) {
    calc.state.NF_Unc = no_uncertainty;
    if (run.showing) {
        set_text(calc, lblCalcNF, "- - -");
        set_text(calc, lblCalcGain, "- - -");
        if (inconsistent_levels) set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
    }
    if (inconsistent_levels) calc.figures.nf_sa_net_db = not_computed;
    disable_noise_form(calc);
    calc.form[lblInvalidG_NF].visible = false;
    blank_guidelines(calc, run);
    write_back_fields(calc, run);
    error_end(calc, run);
}

void show_measurement(Calculator& calc, const Run& run, bool meas_err) {
    set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, run.Ymeas_dB, " 0.00") + " dB");
    if (meas_err) {
        calc.form[lblYmeas].forecolor = colour::red;
        set_text(calc, lblNFdutsa, "NF(dut+sa): ERROR");
    } else {
        set_text(calc, lblNFdutsa, "NF(dut+sa): " + fmt(calc, run.NF_sys, "0.00") + " dB");
    }
}

// Without the calibration step only the system noise figure is known.
void end_without_correction(Calculator& calc, const Run& run) {
    report_error(calc, run,
                 "Uncertainty not available for manual measurement values when 2nd Stage "
                 "Correction is off");
    if (run.showing) {
        for (Ctl label : {lblCalcNF, lblCalcGain, lblCalcSANoise})
            set_text(calc, label, "- - -");
        set_text(calc, chkUseManMeas,
                 "Enable manual entry of measurement values     (only NF(dut+sa) and Ymeas will "
                 "be calculated)");
    }
    disable_noise_form(calc);
    calc.state.NF_Unc = no_uncertainty;
    error_end(calc, run);
}

void show_calibration(Calculator& calc, const Run& run, bool cal_err) {
    set_text(calc, lblYcal, "Ycal: " + fmt(calc, run.Ycal_dB, " 0.00") + " dB");
    if (cal_err) {
        calc.form[lblYcal].forecolor = colour::red;
        set_text(calc, lblNFsa, "NFsa: ERROR");
        set_text(calc, lblCalcSANoise, "- - -");
        set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
    } else {
        set_text(calc, lblNFsa, "NFsa: " + fmt(calc, run.NF_sa_net, "0.00") + " dB");
        set_text(calc, lblNetSANF,
                 "Net Analyzer NF: " + fmt(calc, round_to(run.NF_sa_net, 2), " 0.00") + "dB");
    }
}

// The system noise figure from the measurement's Y factor; false when the
// levels give none.
bool evaluate_measurement(Calculator& calc, Run& run) {
    const CalcState& s = calc.state;
    run.Ymeas_dB = s.MeasON - s.MeasOFF;
    calc.figures.ymeas_db = run.Ymeas_dB;
    const bool meas_err = !is_usable_y(run.Ymeas_dB);
    if (meas_err) {
        mark(calc, run, {txtMeasON, txtMeasOFF});
        report_error(calc, run, "Error: Meas OFF >= Meas ON");
        disable_noise_form(calc);
    } else {
        run.NF_sys = measure::noise_figure_from_y_db(run.ENR_eff, run.Ymeas_dB);
        calc.figures.nf_sys_db = run.NF_sys;
    }
    if (run.showing) show_measurement(calc, run, meas_err);
    return !meas_err;
}

// The analyzer's noise figure from the calibration's Y factor; false when
// the levels give none.
bool evaluate_calibration(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    run.Ycal_dB = s.CalON - s.CalOFF;
    calc.figures.ycal_db = run.Ycal_dB;
    const bool cal_err = !is_usable_y(run.Ycal_dB);
    if (cal_err) {
        mark(calc, run, {txtCalON, txtCalOFF});
        report_error(calc, run, "Error: Cal OFF >= Cal ON");
        calc.figures.nf_sa_net_db = not_computed;
        disable_noise_form(calc);
    } else {
        run.NF_sa_net = measure::noise_figure_from_y_db(run.ENR_eff, run.Ycal_dB);
        run.F_sa = lin(run.NF_sa_net);
        calc.figures.nf_sa_net_db = run.NF_sa_net;
        // The measured value replaces the analyzer noise input.
        s.SA_Noise = is_selected(calc, optSA_Noise_NF)
                         ? run.NF_sa_net
                         : measure::level_from_noise_figure(run.NF_sa_net);
    }
    if (run.showing) show_calibration(calc, run, cal_err);
    return !cal_err;
}

}  // namespace

bool evaluate_manual_levels(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    ClassicFigures& f = calc.figures;
    f.cal_on_dbm = s.CalON;
    f.cal_off_dbm = s.CalOFF;
    f.meas_on_dbm = s.MeasON;
    f.meas_off_dbm = s.MeasOFF;

    const bool meas_ok = evaluate_measurement(calc, run);
    if (!is_checked(calc, mnu2ndStage)) {
        end_without_correction(calc, run);
        return false;
    }
    const bool cal_ok = evaluate_calibration(calc, run);
    const bool cal_meas_err = s.CalOFF >= s.MeasOFF;
    if (!meas_ok || !cal_ok) {
        end_with_error(calc, run, true);
        return false;
    }
    const double G = measure::gain_from_levels(s.CalON, s.CalOFF, s.MeasON, s.MeasOFF);
    s.DUT_Gain = db(G);
    // Second-stage correction.
    const double F_dut = measure::remove_second_stage(lin(run.NF_sys), run.F_sa, G);
    if (cal_meas_err) {
        mark(calc, run, {txtCalOFF, txtMeasOFF});
        report_error(calc, run, "Error: Cal OFF >= Meas OFF");
        end_with_error(calc, run, true);
        return false;
    }
    if (F_dut > 0) s.DUT_NF = round_to(db(F_dut), 5);
    if (F_dut <= 0 || s.DUT_NF < 0) {
        mark(calc, run, {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF});
        report_error(calc, run, "Error: Levels indicate NFdut < 0");
        end_with_error(calc, run, false);
        return false;
    }
    f.nf_dut_db = s.DUT_NF;
    f.gain_db = s.DUT_Gain;
    f.nf_sa_db = run.NF_sa_net;
    return true;
}

}  // namespace orlavex
