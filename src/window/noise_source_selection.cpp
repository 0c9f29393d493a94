#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

namespace {

void clear_model_checks(Calculator& calc) {
    for (Ctl array : {mnuNS_Mercury, mnuNS_Noisecom, mnuNS_Quinstar}) {
        const int count = item_count(array);
        for (int i = 0; i < count; ++i)
            calc.form[item(array, i)].checked = false;
    }
}

void choose_model(Calculator& calc, Ctl array, int index) {
    clear_NS_checks(calc);
    const Ctl chosen = item(array, index);
    calc.form[chosen].checked = true;
    set_text(calc, lblNSsel, calc.form[chosen].text);
    set_NS_values(calc);
    Do_Calc(calc);
}

}  // namespace

void clear_NS_checks(Calculator& calc) {
    calc.form[mnuNSuser].checked = false;
    clear_model_checks(calc);
}

void mnuNS_Mercury_Click(Calculator& calc, int index) {
    choose_model(calc, mnuNS_Mercury, index);
}
void mnuNS_Noisecom_Click(Calculator& calc, int index) {
    choose_model(calc, mnuNS_Noisecom, index);
}
void mnuNS_Quinstar_Click(Calculator& calc, int index) {
    choose_model(calc, mnuNS_Quinstar, index);
}

void mnuNSuser_Click(Calculator& calc) {
    clear_model_checks(calc);
    calc.form[mnuNSuser].checked = true;
    set_text(calc, lblNSsel, std::string(user_selection));
    set_NS_values(calc);
    Do_Calc(calc);
}

void NSdropdown_MouseUp(Calculator& calc) {
    calc.form.popup = mnuNStop;
}
void lblNSsel_MouseUp(Calculator& calc) {
    calc.form.popup = mnuNStop;
}

}  // namespace orlavex
