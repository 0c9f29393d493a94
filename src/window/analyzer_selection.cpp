#include "catalogue/catalogue.h"
#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "core/number_text.h"
#include "engine/recalc.h"
#include "window/catalogue_menus.h"
#include "window/handlers.h"
#include "window/instrument_menu.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

namespace {

constexpr InstrumentMenu analyzer_menu{mnuSAuser, analyzer_family_menus, lblSAsel, set_SA_values,
                                       recalculate_when_ready};

}  // namespace

void analyzer_model_Click(Calculator& calc, Ctl chosen) {
    choose_instrument(calc, analyzer_menu, chosen);
}

void mnuSAuser_Click(Calculator& calc) {
    choose_instrument(calc, analyzer_menu, mnuSAuser);
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
