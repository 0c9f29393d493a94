#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/recalc.h"
#include "window/entry_fields.h"
#include "window/handlers.h"

namespace orlavex {

using enum Ctl;

namespace {

void value_changed(Calculator& calc, Ctl control) {
    run_click_handler(calc, control);
}

}  // namespace

Calculator make_calculator() {
    Calculator calc;
    calc.on_value_changed = value_changed;
    return calc;
}

void recalculate_when_ready(Calculator& calc) {
    if (calc.state.FormReady) Do_Calc(calc);
}

void Form_Load(Calculator& calc) {
    CalcState& s = calc.state;
    s.VersionText = "3.30";
    s.VersionDate = "January 2019";
    calc.form.key_preview = true;
    for (Ctl id : {optDUTIn_RL, optDUTIn_VSWR, optDUTOut_RL, optDUTOut_VSWR, optSA_Noise_NF,
                   optSA_Noise_DANL, optSA_InMatch_VSWR, optSA_InMatch_RL, optNS_Match_VSWR,
                   optNS_Match_RL, chkIntPA}) {
        calc.form[id].tabstop = false;
    }
    calc.form.height = compact_height;
    calc.form.shown = true;
    calc.form.caption = "Korvanti Orlavex " + s.VersionText;
    s.RL_Max = core::return_loss_limit_db;
    s.SA_FreqMax = user_frequency_limit;
    s.NS_FreqMax = user_frequency_limit;
    fill_SA_menus(calc);
    fill_NS_menus(calc);
    set_startup_values(s);
    Update_text_boxes(calc);
    center_justify(calc);
    // Both handlers run once so that the window takes the layout of their
    // start states; neither recalculates yet.
    s.FormReady = false;
    chkFreqConv_Click(calc);
    mnu2ndStage_Click(calc);
    s.FormReady = true;
    Do_Calc(calc);
    move_focus(calc, txtDUT_NF);
    calc.form[txtDUT_NF].sellength = static_cast<int>(calc.form[txtDUT_NF].text.size());
}

}  // namespace orlavex
