#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/handlers.h"

namespace orlavex {

using enum Ctl;

void chkFreqConv_Click(Calculator& calc) {
    Form& f = calc.form;
    const bool converting = is_ticked(calc, chkFreqConv);
    f[imgDUTamp].visible = !converting;
    f[imgDUTconv].visible = converting;
    f[imgAmp_sm].visible = !converting;
    f[imgMixer_sm].visible = converting;
    f[frmFreq2].visible = converting;
    set_text(calc, lblFreq1, converting ? "Input Freq" : "Freq");
    set_NS_values(calc);
    set_SA_values(calc);
    recalculate_when_ready(calc);
}

}  // namespace orlavex
