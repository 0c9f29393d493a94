#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/handlers.h"

namespace orlavex {

using enum Ctl;

void mnu2ndStage_Click(Calculator& calc) {
    Form& f = calc.form;
    const bool on = !f[mnu2ndStage].checked;
    f[mnu2ndStage].checked = on;
    f[frmCalMeas].visible = on;
    f[lbl2ndStageOmitted].visible = !on;
    for (Ctl id : {lblGL1, lblGL2, lblGL3, lblGoal, lblGoal1, lblGoal2, lblGoal3, ind1, ind2, ind3}) {
        f[id].visible = on;
    }
    f[lblGL_2ndStage].visible = !on;
    for (Ctl id : {Label38, Label39, lbl2ndStageBias}) f[id].visible = !on;
    // With the correction on the uncertainty stands alone, larger and
    // further right; off, the offset caused by the analyzer sits beside it.
    f[lblNF_unc].fontsize = on ? 14 : 12;
    f[lblNF_unc].left = on ? 900 : 120;
    f[linMinus].left = on ? 860 : 40;
    f[linMinus].fontsize = on ? 14 : 10;
    f[linMinus].top = on ? 420 : 450;
    if (calc.state.FormReady != 0) Do_Calc(calc);
}

void mnuRes_Click(Calculator& calc, int index) {
    const int count = item_count(mnuRes);
    for (int i = 0; i < count; ++i) calc.form[item(mnuRes, i)].checked = false;
    calc.form[item(mnuRes, index)].checked = true;
    DisplayNFunc(calc);
}

}  // namespace orlavex
