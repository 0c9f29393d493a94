#include "engine/controls.h"
#include "engine/recalc.h"
#include "engine/recalc_stages.h"

namespace orlavex {

using enum Ctl;

namespace {

const char* resolution_format(const Calculator& calc) {
    constexpr const char* formats[] = {" 0.0", " 0.00", " 0.000", " 0.0000"};
    for (int i = 0; i < 4; ++i) {
        if (is_checked(calc, item(mnuRes, i))) return formats[i];
    }
    return "";
}

}  // namespace

void DisplayNFunc(Calculator& calc) {
    const CalcState& s = calc.state;
    const char* format = resolution_format(calc);
    if (s.NF_Unc < 100) {
        set_text(calc, lblNF_unc, "+" + fmt(calc, s.NF_Unc, format) + " dB");
        calc.form[linMinus].visible = true;
        if (!is_checked(calc, mnu2ndStage)) {
            set_text(calc, lbl2ndStageBias, "+" + fmt(calc, s.NF_Bias, format) + " dB");
        }
        return;
    }
    if (s.NF_Unc == no_uncertainty) {
        set_text(calc, lblNF_unc, "    - - -");
        set_text(calc, lbl2ndStageBias, "- - -");
    } else {
        set_text(calc, lblNF_unc, ">100 dB");
        set_text(calc, lbl2ndStageBias, "+" + fmt(calc, s.NF_Bias, format) + " dB");
    }
    calc.form[linMinus].visible = false;
}

}  // namespace orlavex
