#include "window/entry_fields.h"

#include "engine/controls.h"
#include "engine/fields.h"
#include "core/number_text.h"
#include "engine/recalc.h"

#include <array>

namespace orlavex {

using enum Ctl;

namespace {

constexpr std::array<Ctl, 21> tab_stops = {
    txtENR,     txtNS_Match,   txtToff,       txtENR_Unc,  txtDUT_InMatch, txtDUT_OutMatch,
    txtFreq,    txtFreq2,      txtDUT_NF,     txtDUT_Gain, txtSA_InMatch,  txtSAGainUnc,
    txtSANFUnc, txtExtPA_Gain, txtExtPA_NF,   txtSA_Noise, txtCalON,       txtCalOFF,
    txtMeasON,  txtMeasOFF,    chkUseManMeas,
};

int text_length(const Control& c) {
    return static_cast<int>(c.text.size());
}

bool accepts_minus(Ctl field) {
    const FieldRule* f = find_field(field);
    return f != nullptr && f->accepts_minus;
}

}  // namespace

std::span<const Ctl> tab_order() {
    return tab_stops;
}

void select_field_text(Calculator& calc) {
    if (!is_entry_field(calc.form.focus)) return;
    Control& c = calc.form[calc.form.focus];
    c.selstart = 0;
    c.sellength = text_length(c);
}

void set_step_size(Calculator& calc, int shift) {
    switch (shift) {
        case 0:
            calc.state.StepSize = 0.1;
            break;
        case shift_mask:
            calc.state.StepSize = 1.0;
            break;
        case ctrl_mask:
            calc.state.StepSize = 0.01;
            break;
        default:
            break;  // Shift+Ctrl, anything with Alt: keep the last step
    }
}

void field_GotFocus(Calculator& calc, Ctl /*field*/) {
    select_field_text(calc);
}

void field_LostFocus(Calculator& calc, Ctl /*field*/) {
    Do_Calc(calc);
}

void Form_KeyDown(Calculator& calc, int key_code, int shift) {
    const Ctl focus = calc.form.focus;
    if (!is_entry_field(focus)) return;
    set_step_size(calc, shift);
    double x = read_number(calc.form[focus].text);
    if (key_code == key::page_up || key_code == key::up) {
        x += calc.state.StepSize;
    } else if (key_code == key::page_down || key_code == key::down) {
        x -= calc.state.StepSize;
    } else {
        return;
    }
    // Each step starts again from the text, which carries at most 15
    // significant digits, so 0.2 + 0.1 shows 0.3.
    set_text(calc, focus, general_text(x, calc.form.decimal_separator));
    Control& c = calc.form[focus];
    c.sellength = text_length(c) - c.selstart;
    Do_Calc(calc);
}

void Form_KeyPress(Calculator& calc, int& key_ascii) {
    const Ctl focus = calc.form.focus;
    const int ch = key_ascii;
    if (ch == key::enter) {
        key_ascii = 0;
        if (!is_entry_field(focus)) return;
        Control& c = calc.form[focus];
        c.sellength = text_length(c) - c.selstart;
        Do_Calc(calc);
        return;
    }
    // Controls without text ignore characters.
    if (!is_entry_field(focus)) {
        key_ascii = 0;
        return;
    }
    const Control& c = calc.form[focus];
    const bool whole_text_selected = c.sellength == text_length(c);
    if (ch == key::backspace || (ch >= '0' && ch <= '9')) return;
    if (ch == '.' || ch == ',') {
        const bool has_separator = c.text.find_first_of(".,") != std::string::npos;
        if (has_separator && !whole_text_selected) key_ascii = 0;
        return;
    }
    if (ch == '-') {
        const bool at_start = c.text.find('-') == std::string::npos && c.selstart == 0;
        if (!accepts_minus(focus) || !(at_start || whole_text_selected)) key_ascii = 0;
        return;
    }
    key_ascii = 0;
}

void move_focus(Calculator& calc, Ctl target) {
    const Ctl old = calc.form.focus;
    if (old == target) return;
    calc.form.focus = target;
    if (is_entry_field(old)) field_LostFocus(calc, old);
    if (is_entry_field(target) && calc.form.focus == target) field_GotFocus(calc, target);
}

}  // namespace orlavex
