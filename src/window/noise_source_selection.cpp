#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/catalogue_menus.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

namespace {

void clear_model_checks(Calculator& calc) {
    for (Ctl array : noise_source_maker_menus)
        uncheck_items(calc, array);
}

}  // namespace

void clear_NS_checks(Calculator& calc) {
    calc.form[mnuNSuser].checked = false;
    clear_model_checks(calc);
}

void noise_source_model_Click(Calculator& calc, Ctl chosen) {
    clear_NS_checks(calc);
    calc.form[chosen].checked = true;
    set_text(calc, lblNSsel, calc.form[chosen].text);
    set_NS_values(calc);
    Do_Calc(calc);
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
