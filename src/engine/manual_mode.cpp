#include "core/number_text.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

#include <string>

namespace orlavex {

using enum Ctl;

namespace {

void mark(Calculator& calc, const Run& run, std::initializer_list<Ctl> levels) {
    if (!run.showing) return;
    for (Ctl level : levels)
        calc.form[level].backcolor = colour::light_red;
}

void show_error(Calculator& calc, const Run& run) {
    if (run.showing) set_text(calc, lblError, run.result.figures.error);
}

void disable_noise_form(Calculator& calc) {
    calc.form[optSA_Noise_NF].enabled = false;
    calc.form[optSA_Noise_DANL].enabled = false;
}

void end_with_error(Calculator& calc, const Run& run) {
    // The levels contradict each other unless only the DUT's noise figure
    // came out below 0 dB.
    const bool inconsistent_levels = !run.result.negative_nf;
    if (run.showing) {
        set_text(calc, lblCalcNF, "- - -");
        set_text(calc, lblCalcGain, "- - -");
        if (inconsistent_levels) set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
    }
    disable_noise_form(calc);
    calc.form[lblInvalidG_NF].visible = false;
    blank_guidelines(calc, run);
    write_back_fields(calc, run);
    error_end(calc, run);
}

void show_measurement(Calculator& calc, const core::ClassicResult& r) {
    set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, r.ymeas_db, " 0.00") + " dB");
    if (r.meas_error) {
        calc.form[lblYmeas].forecolor = colour::red;
        set_text(calc, lblNFdutsa, "NF(dut+sa): ERROR");
    } else {
        set_text(calc, lblNFdutsa, "NF(dut+sa): " + fmt(calc, r.nf_sys_db, "0.00") + " dB");
    }
}

// Without the calibration step only the system noise figure is known.
void end_without_correction(Calculator& calc, const Run& run) {
    show_error(calc, run);
    if (run.showing) {
        for (Ctl label : {lblCalcNF, lblCalcGain, lblCalcSANoise})
            set_text(calc, label, "- - -");
        set_text(calc, chkUseManMeas,
                 "Enable manual entry of measurement values     (only NF(dut+sa) and Ymeas will "
                 "be calculated)");
    }
    disable_noise_form(calc);
    error_end(calc, run);
}

void show_calibration(Calculator& calc, const core::ClassicResult& r) {
    set_text(calc, lblYcal, "Ycal: " + fmt(calc, r.ycal_db, " 0.00") + " dB");
    if (r.cal_error) {
        calc.form[lblYcal].forecolor = colour::red;
        set_text(calc, lblNFsa, "NFsa: ERROR");
        set_text(calc, lblCalcSANoise, "- - -");
        set_text(calc, lblNetSANF, "Net Analyzer NF: - - -");
    } else {
        set_text(calc, lblNFsa, "NFsa: " + fmt(calc, r.nf_sa_net_db, "0.00") + " dB");
        set_text(calc, lblNetSANF,
                 "Net Analyzer NF: " + fmt(calc, round_to(r.nf_sa_net_db, 2), " 0.00") + "dB");
    }
}

}  // namespace

bool show_manual_evaluation(Calculator& calc, Run& run) {
    const core::ClassicResult& r = run.result;
    if (r.meas_error) {
        mark(calc, run, {txtMeasON, txtMeasOFF});
        disable_noise_form(calc);
    }
    if (run.showing) show_measurement(calc, r);
    if (r.end == core::ClassicEnd::uncorrected) {
        end_without_correction(calc, run);
        return false;
    }
    if (r.cal_error) {
        mark(calc, run, {txtCalON, txtCalOFF});
        disable_noise_form(calc);
    }
    if (run.showing) show_calibration(calc, r);
    if (r.end != core::ClassicEnd::level_error) return true;
    if (r.cal_above_meas) mark(calc, run, {txtCalOFF, txtMeasOFF});
    if (r.negative_nf) mark(calc, run, {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF});
    show_error(calc, run);
    end_with_error(calc, run);
    return false;
}

}  // namespace orlavex
