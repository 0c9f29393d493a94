#include "app/apply.h"

#include "app/catalogue_names.h"
#include "app/texts.h"
#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "engine/recalc.h"
#include "core/number_text.h"
#include "planning/window_setup.h"
#include "window/entry_fields.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include <algorithm>
#include <cmath>

namespace orlavex::app {

using enum Ctl;

namespace {

// The one set-up being applied and how it speaks.
struct Context {
    const Setup& setup;
    ApplyOptions options;

    std::string option(std::string_view keyword) const {
        if (options.naming == Naming::keyword) return std::string(keyword);
        std::string flag = "--" + std::string(keyword);
        std::ranges::replace(flag, '_', '-');
        return flag;
    }
    std::string name(const FieldInput& row) const {
        return std::string(name_of(row, options.naming));
    }
    std::string listing(std::string_view what) const {
        std::string function(what);
        std::ranges::replace(function, '-', '_');
        return options.naming == Naming::keyword ? "orlavex." + function + "()"
                                                 : "orlavex-cli catalogue " + std::string(what);
    }
};

// Picks NAME from the pop-up menu TOP, as a click on its item does.
std::string choose(Calculator& calc, const Context& c, std::string_view option,
                   std::string_view name, Ctl top, Ctl user_item, std::string_view catalogue_name,
                   std::string_view listing) {
    const std::string who = c.option(option);
    if (is_user(name)) return click_control(calc, user_item);
    if (catalogue_name.empty()) {
        return who + ": unknown model " + app::quoted(name) + " (see " + c.listing(listing) + ")";
    }
    const Ctl item = menu_item_captioned(calc, top, catalogue_name);
    if (item == Ctl::none) return who + ": " + app::quoted(name) + " is not in the menu";
    return click_control(calc, item);
}

// Types VALUE into ROW's field as a user does: the format button if needed,
// the focus, the whole text selected, each character, then Enter.
std::string type_into(Calculator& calc, const Context& c, const FieldInput& row, double value) {
    const std::string name = c.name(row);
    if (row.format != Ctl::none && !is_selected(calc, row.format)) {
        if (std::string why = click_control(calc, row.format); !why.empty())
            return name + ": " + why;
    }
    const std::string text = std::isfinite(value) ? entry_text(row.field, value) : std::string();
    if (text.empty()) {
        return name + ": " + shortest_text(value) + " is not a value the field takes (" +
               range_text(calc, row) + ")";
    }
    if (std::string why = focus_control(calc, row.field); !why.empty()) return name + ": " + why;
    const int length = static_cast<int>(calc.form[row.field].text.size());
    if (std::string why = select_text(calc, 0, length); !why.empty()) return name + ": " + why;
    for (char ch : text) {
        if (std::string why = type_character(calc, ch); !why.empty()) return name + ": " + why;
    }
    if (calc.form[row.field].text != text) {
        return name + ": the field does not take " + app::quoted(shortest_text(value)) + " (" +
               range_text(calc, row) + ")";
    }
    return press_key(calc, key::enter, 0);
}

// A field a chosen catalogue model fixes cannot be entered.
std::string fixed_by_model(const Context& c, const FieldInput& row) {
    const Setup& s = c.setup;
    if (row.fixed_by == FixedBy::analyzer && s.analyzer && !is_user(*s.analyzer)) {
        return c.name(row) + ": the analyzer " + analyzer_name(s) + " fixes this value (use " +
               c.option("analyzer") + " User to enter it)";
    }
    if (row.fixed_by == FixedBy::noise_source && s.noise_source && !is_user(*s.noise_source)) {
        return c.name(row) + ": the noise source " + noise_source_name(s) +
               " fixes this value (use " + c.option("noise_source") + " User to enter it)";
    }
    return {};
}

bool is_ext_preamp_row(const FieldInput& row) {
    return row.name.starts_with("ext_preamp");
}

std::string enter_fields(Calculator& calc, const Context& c, bool ext_preamp_rows) {
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        if (!value || is_ext_preamp_row(row) != ext_preamp_rows) continue;
        if (row.scope == Scope::levels) continue;
        if (std::string why = fixed_by_model(c, row); !why.empty()) return why;
        // The analyzer's uncertainties sit in a frame the Option menu shows.
        const bool uncertainty = row.field == txtSANFUnc || row.field == txtSAGainUnc;
        if (uncertainty && !calc.form[frmSA_Unc].visible) click_control(calc, mnuSA_Unc);
        if (std::string why = type_into(calc, c, row, *value); !why.empty()) return why;
    }
    return {};
}

std::string tick(Calculator& calc, Ctl box, const std::string& who) {
    if (is_ticked(calc, box)) return {};
    std::string why = click_control(calc, box);
    return why.empty() ? why : who + ": " + why;
}

std::string choose_preamp(Calculator& calc, const Context& c) {
    const std::string who = c.option("int_preamp");
    if (!calc.form[chkIntPA].enabled) {
        return who + ": the analyzer " + analyzer_name(c.setup) + " has no internal preamplifier";
    }
    if (std::string why = tick(calc, chkIntPA, who); !why.empty()) return why;
    if (!c.setup.int_preamp_option) return {};
    // Models with two preamplifiers ask which one is fitted.
    if (calc.form.popup != mnuIntPAsel) {
        return who + ": the analyzer " + analyzer_name(c.setup) +
               " has one internal preamplifier; give no option number";
    }
    calc.form.popup = Ctl::none;
    return click_control(calc, item(mnuIntPA, *c.setup.int_preamp_option));
}

std::string enter_levels(Calculator& calc, const Context& c) {
    if (!calc.form[mnuShowManMeas].checked) click_control(calc, mnuShowManMeas);
    if (std::string why = tick(calc, chkUseManMeas, "evaluate"); !why.empty()) return why;
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        if (!value || row.scope != Scope::levels) continue;
        if (std::string why = type_into(calc, c, row, *value); !why.empty()) return why;
    }
    return {};
}

std::string choose_models(Calculator& calc, const Context& c) {
    const Setup& s = c.setup;
    if (s.noise_source) {
        const std::string why =
            choose(calc, c, "noise_source", *s.noise_source, mnuNStop, mnuNSuser,
                   noise_source_in_catalogue(*s.noise_source), "noise-sources");
        if (!why.empty()) return why;
    }
    if (s.analyzer) {
        const std::string why = choose(calc, c, "analyzer", *s.analyzer, mnuSAtop, mnuSAuser,
                                       analyzer_in_catalogue(*s.analyzer), "analyzers");
        if (!why.empty()) return why;
    }
    if (s.int_preamp) return choose_preamp(calc, c);
    return {};
}

// What the window made of ROW's VALUE, when it is not VALUE itself.
std::string change_note(const Calculator& calc, const Context& c, const FieldInput& row,
                        double value) {
    const double typed = read_number(entry_text(row.field, value));
    const double used = calc.state.*row.value;
    if (used == value) return {};
    const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
    std::string why;
    if (typed != value) {
        why = "as the field holds it";
    } else {
        why = in_range(calc, row, value) ? "as the window rounds it" : range_text(calc, row);
    }
    return c.name(row) + ": " + shortest_text(value) + unit + " is taken as " +
           general_text(used, '.') + unit + " (" + why + ")";
}

Applied changes(const Calculator& calc, const Context& c) {
    Applied applied;
    for (const FieldInput& row : field_inputs()) {
        const std::optional<double>& value = c.setup[row];
        if (!value || (row.scope == Scope::levels && !c.setup.manual)) continue;
        std::string note = change_note(calc, c, row, *value);
        if (note.empty()) continue;
        if (c.options.strict) {
            applied.refused = note + "; refused with " +
                              (c.options.naming == Naming::flag ? "--strict" : "strict=True");
            return applied;
        }
        applied.notes.push_back(std::move(note));
    }
    return applied;
}

std::string apply_choices_and_fields(Calculator& calc, const Context& c) {
    const Setup& s = c.setup;
    if (!s.second_stage && calc.form[mnu2ndStage].checked) {
        if (std::string why = click_control(calc, mnu2ndStage); !why.empty()) return why;
    }
    if (s.freq_conv) {
        if (std::string why = tick(calc, chkFreqConv, c.option("freq_conv")); !why.empty())
            return why;
    }
    if (std::string why = choose_models(calc, c); !why.empty()) return why;
    if (std::string why = enter_fields(calc, c, false); !why.empty()) return why;
    if (s.ext_preamp || s.any_ext_preamp_field()) {
        if (std::string why = tick(calc, chkExtPA, c.option("ext_preamp")); !why.empty())
            return why;
    }
    if (std::string why = enter_fields(calc, c, true); !why.empty()) return why;
    if (s.manual) return enter_levels(calc, c);
    return {};
}

}  // namespace

std::string range_text(const Calculator& calc, const FieldInput& row) {
    const FieldRange& range = current_range(calc, row.field);
    const std::string unit = row.unit.empty() ? "" : " " + std::string(row.unit);
    return "range " + general_text(range.min, '.') + " to " +
           general_text(upper_end(calc.state, range), '.') + unit;
}

bool in_range(const Calculator& calc, const FieldInput& row, double value) {
    const FieldRange& range = current_range(calc, row.field);
    return value >= range.min && value <= upper_end(calc.state, range);
}

std::string_view name_of(const FieldInput& row, Naming naming) {
    return naming == Naming::keyword ? row.name : row.flag;
}

std::string analyzer_name(const Setup& setup) {
    if (!setup.analyzer || is_user(*setup.analyzer)) return "User";
    return std::string(analyzer_in_catalogue(*setup.analyzer));
}

std::string noise_source_name(const Setup& setup) {
    if (!setup.noise_source || is_user(*setup.noise_source)) return "User";
    return std::string(noise_source_in_catalogue(*setup.noise_source));
}

Applied apply(Calculator& calc, const Setup& setup, const ApplyOptions& options) {
    const Context c{setup, options};
    std::string refused = apply_choices_and_fields(calc, c);
    calc.form.popup = Ctl::none;
    if (!refused.empty()) return Applied{std::move(refused), {}};
    // A field entered after the frequency was held to an instrument's limit
    // recalculates with the catalogue values at the held frequency; one more
    // recalculation gives those whatever was entered last, so that a value
    // given at its start-up value changes nothing.
    Do_Calc(calc);
    return changes(calc, c);
}

}  // namespace orlavex::app
