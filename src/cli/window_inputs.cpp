#include "cli/window_inputs.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "engine/controls.h"
#include "window/entry_fields.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include <algorithm>
#include <cctype>

namespace orlavex::cli {

using enum Ctl;

namespace {

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool is_user(std::string_view name) {
    return same_name(name, "User") || same_name(name, "User Defined");
}

// The catalogue's spelling of NAME (letter case aside), or empty.
std::string_view analyzer_in_catalogue(std::string_view name) {
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& model : family.models) {
            if (same_name(catalogue::model_name(model), name)) return catalogue::model_name(model);
        }
    }
    return {};
}

std::string_view noise_source_in_catalogue(std::string_view name) {
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& model : maker.models) {
            if (same_name(catalogue::model_name(model), name)) return catalogue::model_name(model);
        }
    }
    return {};
}

std::string quoted(std::string_view s) {
    return "\"" + std::string(s) + "\"";
}

// Picks NAME from the pop-up menu TOP, as a click on its item does.
std::string choose(Calculator& calc, std::string_view option, std::string_view name, Ctl top,
                   Ctl user_item, std::string_view catalogue_name, std::string_view listing) {
    if (is_user(name)) return click_control(calc, user_item);
    if (catalogue_name.empty()) {
        return std::string(option) + ": unknown model " + quoted(name) +
               " (see orlavex-cli catalogue " + std::string(listing) + ")";
    }
    const Ctl item = menu_item_captioned(calc, top, catalogue_name);
    if (item == Ctl::none) return std::string(option) + ": " + quoted(name) + " is not in the menu";
    return click_control(calc, item);
}

// A number as the command line takes it: an optional minus, digits with at
// most one decimal point or comma.
bool is_plain_number(std::string_view s) {
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    bool digit = false;
    bool separator = false;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if ((c == '.' || c == ',') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digit;
}

// Types ENTRY into its field as a user does: the format button if needed,
// the focus, the whole text selected, each character, then Enter.
std::string type_into(Calculator& calc, const FieldEntry& entry) {
    const FieldOption& o = *entry.option;
    const std::string name(o.name);
    if (!is_plain_number(entry.text)) return name + ": " + quoted(entry.text) + " is not a number";
    if (o.format != Ctl::none && !is_selected(calc, o.format)) {
        if (std::string why = click_control(calc, o.format); !why.empty()) return name + ": " + why;
    }
    if (std::string why = focus_control(calc, o.field); !why.empty()) return name + ": " + why;
    const int length = static_cast<int>(calc.form[o.field].text.size());
    if (std::string why = select_text(calc, 0, length); !why.empty()) return name + ": " + why;
    for (char ch : entry.text) {
        if (std::string why = type_character(calc, ch); !why.empty()) return name + ": " + why;
    }
    if (calc.form[o.field].text != entry.text) {
        const int max = layout_row(o.field).max_length;
        if (max > 0 && static_cast<int>(entry.text.size()) > max) {
            return name + ": " + quoted(entry.text) + " is longer than the " + std::to_string(max) +
                   " characters the field takes";
        }
        return name + ": the field does not take " + quoted(entry.text);
    }
    return press_key(calc, key::enter, 0);
}

// A field a chosen catalogue model fixes cannot be entered.
std::string fixed_by_model(const WindowInputs& in, const FieldEntry& entry) {
    const FixedBy by = entry.option->fixed_by;
    const std::string name(entry.option->name);
    if (by == FixedBy::analyzer && in.analyzer && !is_user(*in.analyzer)) {
        return name + ": the analyzer " + std::string(analyzer_in_catalogue(*in.analyzer)) +
               " fixes this value (use --analyzer User to enter it)";
    }
    if (by == FixedBy::noise_source && in.noise_source && !is_user(*in.noise_source)) {
        return name + ": the noise source " +
               std::string(noise_source_in_catalogue(*in.noise_source)) +
               " fixes this value (use --noise-source User to enter it)";
    }
    return {};
}

bool is_ext_preamp_field(const FieldEntry& e) {
    return e.option->name.starts_with("--ext-preamp");
}

std::string enter_fields(Calculator& calc, const WindowInputs& in, bool ext_preamp_fields) {
    for (const FieldOption& o : field_options()) {
        const FieldEntry* e = in.entry(o.name);
        if (e == nullptr || is_ext_preamp_field(*e) != ext_preamp_fields) continue;
        if (o.scope == Scope::levels) continue;
        if (std::string why = fixed_by_model(in, *e); !why.empty()) return why;
        // The analyzer's uncertainties sit in a frame the Option menu shows.
        const bool uncertainty = o.field == txtSANFUnc || o.field == txtSAGainUnc;
        if (uncertainty && !calc.form[frmSA_Unc].visible) click_control(calc, mnuSA_Unc);
        if (std::string why = type_into(calc, *e); !why.empty()) return why;
    }
    return {};
}

std::string tick(Calculator& calc, Ctl box, std::string_view option) {
    if (is_ticked(calc, box)) return {};
    std::string why = click_control(calc, box);
    return why.empty() ? why : std::string(option) + ": " + why;
}

std::string choose_preamp(Calculator& calc, const WindowInputs& in) {
    if (!calc.form[chkIntPA].enabled) {
        return "--int-preamp: the analyzer " + analyzer_name(in) + " has no internal preamplifier";
    }
    if (std::string why = tick(calc, chkIntPA, "--int-preamp"); !why.empty()) return why;
    if (!in.int_preamp_option) return {};
    // Models with two preamplifiers ask which one is fitted.
    if (calc.form.popup != mnuIntPAsel) {
        return "--int-preamp: the analyzer " + analyzer_name(in) +
               " has one internal preamplifier; give no option number";
    }
    calc.form.popup = Ctl::none;
    return click_control(calc, item(mnuIntPA, *in.int_preamp_option));
}

std::string enter_levels(Calculator& calc, const WindowInputs& in) {
    if (!calc.form[mnuShowManMeas].checked) click_control(calc, mnuShowManMeas);
    if (std::string why = tick(calc, chkUseManMeas, "evaluate"); !why.empty()) return why;
    for (const FieldOption& o : field_options()) {
        const FieldEntry* e = in.entry(o.name);
        if (e == nullptr || o.scope != Scope::levels) continue;
        if (std::string why = type_into(calc, *e); !why.empty()) return why;
    }
    return {};
}

}  // namespace

const FieldEntry* WindowInputs::entry(std::string_view option_name) const {
    for (const FieldEntry& e : entries) {
        if (e.option->name == option_name) return &e;
    }
    return nullptr;
}

std::string analyzer_name(const WindowInputs& inputs) {
    if (!inputs.analyzer || is_user(*inputs.analyzer)) return "User";
    return std::string(analyzer_in_catalogue(*inputs.analyzer));
}

std::string noise_source_name(const WindowInputs& inputs) {
    if (!inputs.noise_source || is_user(*inputs.noise_source)) return "User";
    return std::string(noise_source_in_catalogue(*inputs.noise_source));
}

std::string apply_inputs(Calculator& calc, const WindowInputs& in) {
    std::string why;
    const auto failed = [&](std::string reason) {
        why = std::move(reason);
        return !why.empty();
    };
    if (in.no_second_stage && calc.form[mnu2ndStage].checked &&
        failed(click_control(calc, mnu2ndStage))) {
        return why;
    }
    if (in.freq_conv && failed(tick(calc, chkFreqConv, "--freq-conv"))) return why;
    if (in.noise_source &&
        failed(choose(calc, "--noise-source", *in.noise_source, mnuNStop, mnuNSuser,
                      noise_source_in_catalogue(*in.noise_source), "noise-sources"))) {
        return why;
    }
    if (in.analyzer && failed(choose(calc, "--analyzer", *in.analyzer, mnuSAtop, mnuSAuser,
                                     analyzer_in_catalogue(*in.analyzer), "analyzers"))) {
        return why;
    }
    if (in.int_preamp && failed(choose_preamp(calc, in))) return why;
    if (failed(enter_fields(calc, in, false))) return why;
    const bool ext_preamp = in.ext_preamp || std::ranges::any_of(in.entries, is_ext_preamp_field);
    if (ext_preamp && failed(tick(calc, chkExtPA, "--ext-preamp"))) return why;
    if (failed(enter_fields(calc, in, true))) return why;
    if (in.manual && failed(enter_levels(calc, in))) return why;
    calc.form.popup = Ctl::none;
    return {};
}

}  // namespace orlavex::cli
