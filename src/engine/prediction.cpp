#include "core/number_text.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

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
    error_end(calc, run);
}

void show_figures(Calculator& calc, const core::ClassicResult& r) {
    set_text(calc, lblYcal, "Ycal: " + fmt(calc, r.ycal_db, " 0.00") + " dB");
    set_text(calc, lblNFdutsa, "NF(dut+sa): " + fmt(calc, r.nf_sys_db, "0.00") + " dB");
    set_text(calc, lblNFsa, "NFsa: " + fmt(calc, r.nf_sa_net_db, "0.00") + " dB");
    set_text(calc, lblYmeas, "Ymeas: " + fmt(calc, r.ymeas_db, " 0.00") + " dB");
}

}  // namespace

bool show_prediction(Calculator& calc, Run& run) {
    if (run.result.end == core::ClassicEnd::invalid_dut) {
        end_invalid_setup(calc, run);
        return false;
    }
    calc.form[lblInvalidG_NF].visible = false;
    calc.form[chkUseManMeas].enabled = true;
    if (run.showing) show_figures(calc, run.result);
    // Without second-stage correction the levels are written as soon as
    // they are predicted.
    if (!run.result.used.choices.second_stage) write_back_fields(calc, run);
    return true;
}

}  // namespace orlavex
