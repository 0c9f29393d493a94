#include "app/inputs/apply.h"

#include "app/inputs/catalogue_names.h"
#include "core/field_entry.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/entry_fields.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include <cmath>

namespace orlavex::app {

using enum Ctl;

namespace {

// Picks NAME from the pop-up menu TOP, as a click on its item does.
std::string choose(Calculator& calc, std::string_view name, Ctl top, Ctl user_item,
                   std::string_view catalogue_name) {
    if (is_user(name)) return click_control(calc, user_item);
    const Ctl item = menu_item_captioned(calc, top, catalogue_name);
    if (item == Ctl::none) return std::string(name) + " is not in the menu";
    return click_control(calc, item);
}

// Types VALUE into ROW's field as a user does: the format button if needed,
// the focus, the whole text selected, each character, then Enter.
std::string type_into(Calculator& calc, const FieldInput& row, double value) {
    if (row.format != Ctl::none && !is_selected(calc, row.format)) {
        if (std::string why = click_control(calc, row.format); !why.empty()) return why;
    }
    const std::string text = core::entry_text(row.field, value);
    if (std::string why = focus_control(calc, row.field); !why.empty()) return why;
    const int length = static_cast<int>(calc.form[row.field].text.size());
    if (std::string why = select_text(calc, 0, length); !why.empty()) return why;
    for (char ch : text) {
        if (std::string why = type_character(calc, ch); !why.empty()) return why;
    }
    return press_key(calc, key::enter, 0);
}

bool is_ext_preamp_row(const FieldInput& row) {
    return row.name.starts_with("ext_preamp");
}

std::string enter_fields(Calculator& calc, const Setup& s, bool ext_preamp_rows) {
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = s[row];
        if (!value || is_ext_preamp_row(row) != ext_preamp_rows) continue;
        if (row.scope == Scope::levels) continue;
        // The analyzer's uncertainties sit in a frame the Option menu shows.
        const bool uncertainty = row.field == txtSANFUnc || row.field == txtSAGainUnc;
        if (uncertainty && !calc.form[frmSA_Unc].visible) click_control(calc, mnuSA_Unc);
        if (std::string why = type_into(calc, row, *value); !why.empty()) return why;
    }
    return {};
}

std::string tick(Calculator& calc, Ctl box) {
    return is_ticked(calc, box) ? std::string() : click_control(calc, box);
}

std::string choose_preamp(Calculator& calc, const Setup& s) {
    if (std::string why = tick(calc, chkIntPA); !why.empty()) return why;
    if (!s.int_preamp_option) return {};
    // Models with two preamplifiers ask which one is fitted.
    calc.form.popup = Ctl::none;
    return click_control(calc, item(mnuIntPA, *s.int_preamp_option));
}

std::string enter_levels(Calculator& calc, const Setup& s) {
    if (!calc.form[mnuShowManMeas].checked) click_control(calc, mnuShowManMeas);
    if (std::string why = tick(calc, chkUseManMeas); !why.empty()) return why;
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = s[row];
        if (!value || row.scope != Scope::levels) continue;
        if (std::string why = type_into(calc, row, *value); !why.empty()) return why;
    }
    return {};
}

std::string choose_models(Calculator& calc, const Setup& s) {
    if (s.noise_source) {
        const std::string why = choose(calc, *s.noise_source, mnuNStop, mnuNSuser,
                                       noise_source_in_catalogue(*s.noise_source));
        if (!why.empty()) return why;
    }
    if (s.analyzer) {
        const std::string why =
            choose(calc, *s.analyzer, mnuSAtop, mnuSAuser, analyzer_in_catalogue(*s.analyzer));
        if (!why.empty()) return why;
    }
    if (s.int_preamp) return choose_preamp(calc, s);
    return {};
}

std::string apply_choices_and_fields(Calculator& calc, const Setup& s) {
    if (!s.second_stage && calc.form[mnu2ndStage].checked) {
        if (std::string why = click_control(calc, mnu2ndStage); !why.empty()) return why;
    }
    if (s.freq_conv) {
        if (std::string why = tick(calc, chkFreqConv); !why.empty()) return why;
    }
    if (std::string why = choose_models(calc, s); !why.empty()) return why;
    if (std::string why = enter_fields(calc, s, false); !why.empty()) return why;
    if (s.ext_preamp || s.any_ext_preamp_field()) {
        if (std::string why = tick(calc, chkExtPA); !why.empty()) return why;
    }
    if (std::string why = enter_fields(calc, s, true); !why.empty()) return why;
    if (s.manual) return enter_levels(calc, s);
    return {};
}

}  // namespace

std::string analyzer_name(const Setup& setup) {
    if (!setup.analyzer || is_user(*setup.analyzer)) return "User";
    return std::string(analyzer_in_catalogue(*setup.analyzer));
}

std::string noise_source_name(const Setup& setup) {
    if (!setup.noise_source || is_user(*setup.noise_source)) return "User";
    return std::string(noise_source_in_catalogue(*setup.noise_source));
}

Applied apply(Calculator& calc, const Setup& setup, const ApplyOptions& options) {
    Resolved taken = resolve(setup, options);
    if (!taken.applied.refused.empty()) return std::move(taken.applied);
    std::string refused = apply_choices_and_fields(calc, setup);
    calc.form.popup = Ctl::none;
    if (!refused.empty()) return Applied{"the window refused the set-up: " + refused, {}};
    // A field entered after the frequency was held to an instrument's limit
    // recalculates with the catalogue values at the held frequency; one more
    // recalculation gives those whatever was entered last, so that a value
    // given at its start-up value changes nothing.
    Do_Calc(calc);
    return std::move(taken.applied);
}

}  // namespace orlavex::app
