#include "engine/analyzer_chain.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/number_text.h"
#include "engine/numeric.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/y_factor.h"

namespace orlavex {

using enum Ctl;

namespace {

void show_invalid_setup(Calculator& calc) {
    for (Ctl level : {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF})
        set_text(calc, level, std::string(blanked_level));
    set_text(calc, lblYcal, "Ycal: - - -");
    set_text(calc, lblYmeas, "Ymeas: - - -");
    set_text(calc, lblNFsa, "NFsa: - - -");
    set_text(calc, lblNFdutsa, "NF(dut+sa): - - -");
}

void end_invalid_setup(Calculator& calc, Run& run) {
    calc.form[lblInvalidG_NF].visible = true;
    run.levels_blanked = true;
    if (run.showing) show_invalid_setup(calc);
    blank_guidelines(calc, run);
    calc.form[chkUseManMeas].enabled = false;
    calc.state.NF_Unc = no_uncertainty;
    error_end(calc, run);
}

void show_prediction(Calculator& calc, const Run& run) {
    set_text(calc, lblYcal, "Ycal: " + fmt(calc, run.Ycal_dB, " 0.00") + " dB");
    set_text(calc, lblNFdutsa, "NF(dut+sa): " + fmt(calc, run.NF_sys, "0.00") + " dB");
    set_text(calc, lblNFsa, "NFsa: " + fmt(calc, run.NF_sa_net, "0.00") + " dB");
    set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, run.Ymeas_dB, " 0.00") + " dB");
}

// Levels the analyzer would show, in dBm per MHz.
void predict_levels(Calculator& calc, const Run& run) {
    CalcState& s = calc.state;
    if (is_checked(calc, mnu2ndStage)) {
        s.CalOFF = run.NF_sa_net + measure::kT0_dBm_Hz + measure::one_MHz_dB;
        s.CalON = s.CalOFF + run.Ycal_dB;
        // (Ycal - 1) / (Ymeas - 1) is F_sys / F_sa; a Y factor too close to 1
        // to tell apart from it leaves only the noise figures to take it from.
        const double meas_excess = lin(run.Ymeas_dB) - 1;
        const double ratio_dB =
            meas_excess > 0 ? db((lin(run.Ycal_dB) - 1) / meas_excess) : run.NF_sys - run.NF_sa_net;
        s.MeasOFF = s.CalOFF + s.DUT_Gain + ratio_dB;
        s.MeasON = run.Ymeas_dB + s.MeasOFF;
    } else {
        s.MeasOFF = run.NF_sys + measure::kT0_dBm_Hz + s.DUT_Gain + measure::one_MHz_dB;
        s.MeasON = s.MeasOFF + run.Ymeas_dB;
        write_back_fields(calc, run);
    }
}

}  // namespace

bool predict(Calculator& calc, Run& run) {
    CalcState& s = calc.state;
    // The values as the fields show them, at the precision written back.
    s.DUT_NF = shown_value(round_to(s.DUT_NF, 2));
    s.DUT_Gain = shown_value(round_to(s.DUT_Gain, 2));

    // A DUT whose noise figure is below its loss cannot exist.
    if (-s.DUT_NF > s.DUT_Gain) {
        end_invalid_setup(calc, run);
        return false;
    }
    calc.form[lblInvalidG_NF].visible = false;
    calc.form[chkUseManMeas].enabled = true;

    run.F_sa = net_analyzer_factor(calc, shown_value(round_to(s.SA_Noise, 2)),
                                   shown_value(s.ExtPA_NF), shown_value(s.ExtPA_Gain));
    run.NF_sa_net = db(run.F_sa);
    run.Ycal_dB = measure::y_factor_db(run.ENR_eff, run.NF_sa_net);
    run.F_sys = measure::cascade(lin(s.DUT_NF), run.F_sa, lin(s.DUT_Gain));
    run.NF_sys = db(run.F_sys);
    run.Ymeas_dB = measure::y_factor_db(run.ENR_eff, run.NF_sys);
    if (run.showing) show_prediction(calc, run);
    predict_levels(calc, run);

    ClassicFigures& f = calc.figures;
    f.ycal_db = run.Ycal_dB;
    f.ymeas_db = run.Ymeas_dB;
    f.nf_sys_db = run.NF_sys;
    f.nf_sa_net_db = run.NF_sa_net;
    f.cal_on_dbm = s.CalON;
    f.cal_off_dbm = s.CalOFF;
    f.meas_on_dbm = s.MeasON;
    f.meas_off_dbm = s.MeasOFF;
    return true;
}

}  // namespace orlavex
