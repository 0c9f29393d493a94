#include "window_checks.h"

#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "engine/fields.h"
#include "core/number_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string_view>

namespace orlavex::soak {

using enum Ctl;

namespace {

std::string name_of(Ctl id) {
    const ControlRow& row = layout_row(id);
    std::string name(row.name);
    if (row.index >= 0) {
        name += '(';
        name += std::to_string(row.index);
        name += ')';
    }
    return name;
}

bool shows_bad_number(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

bool in_menu(Ctl id, Ctl menu) {
    for (Ctl c : outwards_from(layout_row(id).parent)) {
        if (c == menu) return true;
    }
    return false;
}

// The checked items among the items under MENU (at any depth).
std::vector<Ctl> checked_items(const Calculator& calc, Ctl menu) {
    std::vector<Ctl> out;
    for (const ControlRow& row : layout) {
        if (row.kind == Kind::Item && in_menu(row.id, menu) && calc.form[row.id].checked) {
            out.push_back(row.id);
        }
    }
    return out;
}

std::string check_one_menu(const Calculator& calc, Ctl menu, Ctl user_item, Ctl label) {
    const std::vector<Ctl> checked = checked_items(calc, menu);
    if (checked.size() != 1) {
        return name_of(menu) + std::string(" has ") + std::to_string(checked.size()) +
               " checked items";
    }
    if (label == Ctl::none) return {};
    const std::string expected = checked.front() == user_item ? std::string(user_selection)
                                                              : calc.form[checked.front()].text;
    if (calc.form[label].text != expected) {
        return name_of(label) + " shows \"" + calc.form[label].text + "\" but " +
               name_of(checked.front()) + " is checked";
    }
    return {};
}

bool is_level(Ctl field) {
    return field == txtCalON || field == txtCalOFF || field == txtMeasON || field == txtMeasOFF;
}

// Whether the user enters FIELD's value in the current mode: false when the
// field shows a result instead.
bool entered_now(const Calculator& calc, Ctl field) {
    const bool manual = is_ticked(calc, chkUseManMeas);
    switch (field) {
        case txtDUT_NF:
        case txtDUT_Gain:
        case txtSA_Noise:
            return !manual;
        default:
            return !is_level(field) || manual;
    }
}

}  // namespace

std::string check_no_bad_numbers(const Calculator& calc) {
    if (shows_bad_number(calc.form.caption)) return "the window caption shows a bad number";
    for (const ControlRow& row : layout) {
        const Control& c = calc.form[row.id];
        if (shows_bad_number(c.text)) return name_of(row.id) + " shows \"" + c.text + "\"";
        if (shows_bad_number(c.tooltip)) {
            return name_of(row.id) + " has the tool tip \"" + c.tooltip + "\"";
        }
    }
    return {};
}

std::string check_menus(const Calculator& calc) {
    if (std::string why = check_one_menu(calc, mnuSAtop, mnuSAuser, lblSAsel); !why.empty()) {
        return why;
    }
    if (std::string why = check_one_menu(calc, mnuNStop, mnuNSuser, lblNSsel); !why.empty()) {
        return why;
    }
    return check_one_menu(calc, mnuRes_top, Ctl::none, Ctl::none);
}

std::string check_uncertainty(const Calculator& calc) {
    const double u = calc.state.NF_Unc;
    if (u == no_uncertainty || (std::isfinite(u) && u >= 0)) return {};
    return "NF_Unc is " + general_text(u);
}

std::string check_height(const Calculator& calc) {
    const Form& f = calc.form;
    if (f.height != compact_height && f.height != extended_height) {
        return std::string("the window is ") + std::to_string(f.height) + " twips high";
    }
    const bool extended = f.height == extended_height;
    if (f[frmCal].visible != extended || f[frmMeas].visible != extended) {
        return std::string("the window is ") + std::to_string(f.height) +
               " twips high but the manual frames are " + (f[frmCal].visible ? "shown" : "hidden");
    }
    return {};
}

std::string check_focus(const Calculator& calc) {
    const Form& f = calc.form;
    if (f.focus == Ctl::none) return {};
    if (window_of(f.focus) != frmNFCalc) {
        return "the focus is on " + name_of(f.focus) + ", outside the main window";
    }
    if (!can_take_focus(f, f.focus)) {
        return "the focus is on " + name_of(f.focus) + ", which cannot hold it";
    }
    return {};
}

std::string check_fields_after_recalculation(const Calculator& calc) {
    Calculator rewritten = calc;
    rewritten.on_value_changed = nullptr;
    Update_text_boxes(rewritten);
    const bool invalid_setup = calc.form[lblInvalidG_NF].visible;
    for (const FieldRule& f : entry_fields) {
        const std::string& shown = calc.form[f.field].text;
        const std::string& expected = rewritten.form[f.field].text;
        const bool blanked = is_level(f.field) && invalid_setup && shown == "- - -";
        if (shown != expected && !blanked) {
            return name_of(f.field) + " shows \"" + shown + "\" but its value is written \"" +
                   expected + "\"";
        }
        if (entered_now(calc, f.field)) {
            const FieldRange& range = current_range(calc, f.field);
            const double max = upper_end(calc.state, range);
            const double v = field_value(rewritten, f);
            if (!(v >= range.min && v <= max)) {
                return name_of(f.field) + " holds " + general_text(v) + ", outside " +
                       general_text(range.min) + " to " + general_text(max);
            }
        }
    }
    return {};
}

std::string check_window(const Calculator& calc, bool recalculated) {
    for (auto check :
         {check_no_bad_numbers, check_menus, check_uncertainty, check_height, check_focus}) {
        if (std::string why = check(calc); !why.empty()) return why;
    }
    return recalculated ? check_fields_after_recalculation(calc) : std::string{};
}

}  // namespace orlavex::soak
