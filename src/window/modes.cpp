#include "window/modes.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/recalc.h"
#include "window/handlers.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

void mnu2ndStage_Click(Calculator& calc) {
    Form& f = calc.form;
    const bool on = !f[mnu2ndStage].checked;
    f[mnu2ndStage].checked = on;
    f[frmCalMeas].visible = on;
    f[lbl2ndStageOmitted].visible = !on;
    for (Ctl id :
         {lblGL1, lblGL2, lblGL3, lblGoal, lblGoal1, lblGoal2, lblGoal3, ind1, ind2, ind3}) {
        f[id].visible = on;
    }
    f[lblGL_2ndStage].visible = !on;
    for (Ctl id : {Label38, Label39, lbl2ndStageBias})
        f[id].visible = !on;
    for (const SecondStagePlacement& p : second_stage_placements) {
        const Placement& at = on ? p.correction_on : p.correction_off;
        f[p.id].left = at.left;
        f[p.id].top = at.top;
        f[p.id].fontsize = at.fontsize;
    }
    recalculate_when_ready(calc);
}

void mnuRes_Click(Calculator& calc, int index) {
    uncheck_items(calc, mnuRes);
    calc.form[item(mnuRes, index)].checked = true;
    DisplayNFunc(calc);
}

void mnuShowManMeas_Click(Calculator& calc) {
    Form& f = calc.form;
    if (!f[mnuShowManMeas].checked) {
        f[frmCal].visible = true;
        f[frmMeas].visible = true;
        f[chkUseManMeas].visible = true;
        f[mnuShowManMeas].checked = true;
        // The manual levels are evaluated as a noise figure.
        select_option(calc, optSA_Noise_NF);
        f[imgLogo_lg].visible = true;
        f[imgLogo_sm].visible = false;
        f.height = extended_height;
        return;
    }
    // Hiding the frames always ends manual entry first.
    set_check(calc, chkUseManMeas, 0);
    f[frmCal].visible = false;
    f[frmMeas].visible = false;
    f[chkUseManMeas].visible = false;
    f[mnuShowManMeas].checked = false;
    f[imgLogo_lg].visible = false;
    f[imgLogo_sm].visible = true;
    f.height = compact_height;
}

void chkUseManMeas_Click(Calculator& calc) {
    Form& f = calc.form;
    const bool manual = is_ticked(calc, chkUseManMeas);
    if (manual) {
        // Measured levels come from the analyzer at hand, without preamplifier.
        mnuSAuser_Click(calc);
        set_check(calc, chkExtPA, 0);
    }
    for (Ctl id : {chkExtPA, SAdropdown, lblSAsel})
        f[id].enabled = !manual;
    for (Ctl id : {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF})
        f[id].enabled = manual;
    for (Ctl id : {txtDUT_NF, lblUnit1, txtDUT_Gain, lblUnit3, txtSA_Noise})
        f[id].visible = !manual;
    for (Ctl id : {lblCalcNF, lblCalcGain, lblCalcSANoise})
        f[id].visible = manual;
    if (!manual) {
        f[optSA_Noise_DANL].enabled = true;
        f[optSA_Noise_NF].enabled = true;
    }
    Do_Calc(calc);
}

void mnuPreset_Click(Calculator& calc) {
    Form& f = calc.form;
    if (f[mnuShowManMeas].checked) mnuShowManMeas_Click(calc);
    if (!f[mnu2ndStage].checked) mnu2ndStage_Click(calc);
    uncheck_items(calc, mnuRes);
    f[mnuRes_1].checked = true;  // the start-up resolution, .01
    if (!f[mnuSA_Unc].checked) mnuSA_Unc_Click(calc);
    set_check(calc, chkFreqConv, 0);
    mnuReset_Click(calc);
}

void mnuReset_Click(Calculator& calc) {
    mnuSAuser_Click(calc);
    mnuNSuser_Click(calc);
    select_option(calc, optSA_Noise_NF);
    set_startup_values(calc.state);
    Update_text_boxes(calc);
    Do_Calc(calc);
}

}  // namespace orlavex
