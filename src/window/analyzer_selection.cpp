#include "catalogue/catalogue.h"
#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/number_text.h"
#include "engine/recalc.h"
#include "window/catalogue_menus.h"
#include "window/handlers.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

void clear_SA_checks(Calculator& calc) {
    calc.form[mnuSAuser].checked = false;
    for (Ctl array : analyzer_family_menus)
        uncheck_items(calc, array);
}

void analyzer_model_Click(Calculator& calc, Ctl chosen) {
    clear_SA_checks(calc);
    calc.form[chosen].checked = true;
    set_text(calc, lblSAsel, calc.form[chosen].text);
    set_SA_values(calc);
    recalculate_when_ready(calc);
}

void mnuSAuser_Click(Calculator& calc) {
    clear_SA_checks(calc);
    calc.form[mnuSAuser].checked = true;
    set_text(calc, lblSAsel, std::string(user_selection));
    set_SA_values(calc);
    recalculate_when_ready(calc);
}

void SAdropdown_MouseUp(Calculator& calc) {
    calc.form.popup = mnuSAtop;
}
void lblSAsel_MouseUp(Calculator& calc) {
    calc.form.popup = mnuSAtop;
}

void chkIntPA_Click(Calculator& calc) {
    set_SA_values(calc);
    Do_Calc(calc);
}

void chkIntPA_MouseUp(Calculator& calc) {
    // Only models with two preamplifier options ask which one is fitted.
    const catalogue::AnalyzerModel* model = catalogue::find_analyzer(calc.form[lblSAsel].text);
    if (is_ticked(calc, chkIntPA) && model != nullptr &&
        catalogue::preamp_kind(*model) == catalogue::Preamp::options) {
        calc.form.popup = mnuIntPAsel;
    }
}

void mnuIntPA_Click(Calculator& calc, int index) {
    calc.form[item(mnuIntPA, 0)].checked = false;
    calc.form[item(mnuIntPA, 1)].checked = false;
    calc.form[item(mnuIntPA, index)].checked = true;
    set_SA_values(calc);
    Do_Calc(calc);
}

void chkExtPA_Click(Calculator& calc) {
    // One field shows two stored matches: the analyzer's own, or the
    // external preamplifier's while it is in use.
    const bool on = is_ticked(calc, chkExtPA);
    calc.form[Frame12].visible = on;
    set_text(calc, lblSA_in_match, on ? "Ext PA Input Match" : "Analyzer Input Match");
    const double shown = on ? calc.state.ExtPA_InMatch : calc.state.SA_InMatch;
    set_text(calc, txtSA_InMatch, general_text(shown, calc.form.decimal_separator));
    set_SA_values(calc);
    Do_Calc(calc);
}

void mnuSA_Unc_Click(Calculator& calc) {
    const bool hidden = calc.form[mnuSA_Unc].checked;
    calc.form[mnuSA_Unc].checked = !hidden;
    calc.form[frmSA_Unc].visible = hidden;
}

}  // namespace orlavex
