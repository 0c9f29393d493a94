#include "window/user_actions.h"

#include "engine/controls.h"
#include "window/dispatch.h"
#include "window/entry_fields.h"
#include "window/handlers.h"

#include <algorithm>

namespace orlavex {

using enum Ctl;

namespace {

std::string name_of(Ctl c) {
    return std::string(layout_row(c).name);
}

bool in_open_dialog(const Calculator& calc, Ctl c) {
    return window_of(c) == calc.form.dialog;
}

// The reason a user cannot reach CONTROL now, or empty.
std::string unreachable(const Calculator& calc, Ctl control) {
    if (calc.form.dialog != Ctl::none && !in_open_dialog(calc, control)) {
        return "a modal window is open";
    }
    // The controls of a modal window exist only while it is open.
    if (const Ctl window = window_of(control); window != frmNFCalc && window != calc.form.dialog) {
        return std::string(layout_row(window).name) + " is not open";
    }
    // A menu or menu item needs only itself shown (its menu is open);
    // anything else needs every frame around it shown.
    const Kind kind = layout_row(control).kind;
    const bool in_menu = kind == Kind::Item || kind == Kind::Menu;
    if (!in_menu && !is_showing(calc.form, control)) return name_of(control) + " is not shown";
    for (Ctl c : outwards_from(control)) {
        if (layout_row(c).kind == Kind::Window) break;
        if (!calc.form[c].enabled) return name_of(control) + " is disabled";
    }
    if (in_menu && !calc.form[control].visible) return name_of(control) + " is not shown";
    return {};
}

Ctl next_in_tab_order(const Calculator& calc, Ctl from, bool backwards) {
    const auto order = tab_order();
    const int n = static_cast<int>(order.size());
    const auto at = std::find(order.begin(), order.end(), from);
    int start = at == order.end() ? (backwards ? 0 : n - 1) : static_cast<int>(at - order.begin());
    for (int step = 1; step <= n; ++step) {
        const int i = ((start + (backwards ? -step : step)) % n + n) % n;
        const Ctl c = order[static_cast<std::size_t>(i)];
        if (calc.form[c].tabstop && can_take_focus(calc.form, c)) return c;
    }
    return Ctl::none;
}

// The default editing of a text box for a character the window let through.
void insert_into_field(Calculator& calc, Ctl field, char ch) {
    Control& c = calc.form[field];
    const int length = static_cast<int>(c.text.size());
    const int start = std::clamp(c.selstart, 0, length);
    const int selected = std::clamp(c.sellength, 0, length - start);
    if (ch == '\b') {
        if (selected > 0) {
            c.text.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(selected));
            c.selstart = start;
        } else if (start > 0) {
            c.text.erase(static_cast<std::size_t>(start - 1), 1);
            c.selstart = start - 1;
        }
        c.sellength = 0;
        return;
    }
    const int max = layout_row(field).max_length;
    if (max > 0 && length - selected + 1 > max) return;  // the field is full
    c.text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(selected), 1, ch);
    c.selstart = start + 1;
    c.sellength = 0;
}

// The key code a keyboard raises for a character, and whether it needs Shift.
int key_code_of(char ch, int& shift) {
    shift = 0;
    if (ch >= 'a' && ch <= 'z') return ch - 'a' + 'A';
    if (ch >= 'A' && ch <= 'Z') {
        shift = shift_mask;
        return ch;
    }
    if (ch >= '0' && ch <= '9') return ch;
    switch (ch) {
        case ' ':
            return 32;
        case '-':
            return 189;
        case '.':
            return 190;
        case ',':
            return 188;
        case '\b':
            return key::backspace;
        case '+':
            shift = shift_mask;
            return 187;
        default:
            return 0;
    }
}

void move_caret(Control& c, int key_code, int shift) {
    const int length = static_cast<int>(c.text.size());
    const int start = std::clamp(c.selstart, 0, length);
    const int end = std::clamp(start + c.sellength, start, length);
    int caret = end;
    switch (key_code) {
        case key::home:
            caret = 0;
            break;
        case key::end:
            caret = length;
            break;
        case key::left:
            caret = (c.sellength > 0 && !(shift & shift_mask)) ? start : std::max(0, start - 1);
            break;
        case key::right:
            caret = (c.sellength > 0 && !(shift & shift_mask)) ? end : std::min(length, end + 1);
            break;
        default:
            return;
    }
    if (shift & shift_mask) {
        const int anchor = (key_code == key::home || key_code == key::left) ? end : start;
        c.selstart = std::min(anchor, caret);
        c.sellength = std::abs(anchor - caret);
    } else {
        c.selstart = caret;
        c.sellength = 0;
    }
}

}  // namespace

void settle_focus(Calculator& calc) {
    // Passing the focus on runs the old field's lost-focus recalculation,
    // which can in turn hide or disable the control that just received it;
    // a few passes settle every chain the window has, then the focus goes.
    constexpr int focus_settling_passes = 3;
    for (int pass = 0; pass < focus_settling_passes; ++pass) {
        const Ctl focus = calc.form.focus;
        if (focus == Ctl::none || can_take_focus(calc.form, focus)) return;
        move_focus(calc, next_in_tab_order(calc, focus, false));
    }
    if (!can_take_focus(calc.form, calc.form.focus)) calc.form.focus = Ctl::none;
}

std::string focus_control(Calculator& calc, Ctl control) {
    if (!takes_focus(layout_row(control).kind)) {
        return name_of(control) + " does not take the focus";
    }
    if (std::string why = unreachable(calc, control); !why.empty()) return why;
    // As with a click, a modal window's button takes no focus from the main
    // window: the field the user was in keeps it for when the window closes.
    if (calc.form.dialog != Ctl::none) return {};
    move_focus(calc, control);
    settle_focus(calc);
    return {};
}

std::string paste_text(Calculator& calc, Ctl field, std::string_view text) {
    if (!is_entry_field(field)) return name_of(field) + " is not an entry field";
    if (std::string why = unreachable(calc, field); !why.empty()) return why;
    Control& c = calc.form[field];
    c.text = std::string(text);
    c.selstart = static_cast<int>(c.text.size());
    c.sellength = 0;
    return {};
}

namespace {

// Space clicks a focused check box or option button, as the keyboard does
// (no mouse button is released, so no mouse-up handler runs).
void click_by_keyboard(Calculator& calc) {
    const Ctl focus = calc.form.focus;
    if (!can_take_focus(calc.form, focus)) return;
    if (layout_row(focus).kind == Kind::Check) {
        set_check(calc, focus, calc.form[focus].value == 1 ? 0 : 1);
    } else if (layout_row(focus).kind == Kind::Option) {
        select_option(calc, focus);
    }
}

// The push button Enter or Esc presses in the open modal window.
Ctl dialog_button(const Calculator& calc) {
    return calc.form.dialog == frmAbout   ? cmdOK
           : calc.form.dialog == frmHints ? OKButton
                                          : Ctl::none;
}

}  // namespace

std::string type_character(Calculator& calc, char ch) {
    if (calc.form.dialog != Ctl::none) return "a modal window is open";
    int shift = 0;
    const int code = key_code_of(ch, shift);
    if (calc.form.key_preview) Form_KeyDown(calc, code, shift);
    int key_ascii = static_cast<unsigned char>(ch);
    if (calc.form.key_preview) Form_KeyPress(calc, key_ascii);
    if (key_ascii != 0 && is_entry_field(calc.form.focus)) {
        insert_into_field(calc, calc.form.focus, static_cast<char>(key_ascii));
    }
    if (ch == ' ') click_by_keyboard(calc);
    settle_focus(calc);
    return {};
}

std::string press_key(Calculator& calc, int key_code, int shift) {
    if (calc.form.dialog != Ctl::none) {
        if (key_code != key::enter && key_code != key::escape) return "a modal window is open";
        return click_control(calc, dialog_button(calc));
    }
    if (key_code == key::escape) return {};
    // Backspace edits like a typed character (its key-down comes first);
    // with Alt, as any key with Alt, it types nothing.
    if (key_code == key::backspace && (shift & alt_mask) == 0) {
        return type_character(calc, static_cast<char>(key::backspace));
    }
    if (key_code == key::tab) {
        // Tab moves the focus; the window raises no key-down for it.
        const Ctl next = next_in_tab_order(calc, calc.form.focus, (shift & shift_mask) != 0);
        if (next != Ctl::none) move_focus(calc, next);
        settle_focus(calc);
        return {};
    }
    if (calc.form.key_preview) Form_KeyDown(calc, key_code, shift);
    if (key_code == key::enter) {
        int key_ascii = key::enter;
        if (calc.form.key_preview) Form_KeyPress(calc, key_ascii);
    } else if (is_entry_field(calc.form.focus)) {
        move_caret(calc.form[calc.form.focus], key_code, shift);
    }
    settle_focus(calc);
    return {};
}

std::string click_control(Calculator& calc, Ctl control) {
    if (std::string why = unreachable(calc, control); !why.empty()) return why;
    const Kind kind = layout_row(control).kind;
    const Handler on_click = find_handler(control, Event::Click);
    const Handler on_mouse_up = find_handler(control, Event::MouseUp);
    if (kind == Kind::Field) {
        move_focus(calc, control);
    } else if (kind == Kind::Check) {
        if (on_click == nullptr) return name_of(control) + " has no click action";
        move_focus(calc, control);
        // The box changes, its click handler runs, then the button is released.
        if (can_take_focus(calc.form, control))
            set_check(calc, control, calc.form[control].value == 1 ? 0 : 1);
        if (on_mouse_up != nullptr) on_mouse_up(calc, control);
    } else if (kind == Kind::Option) {
        if (on_click == nullptr) return name_of(control) + " has no click action";
        move_focus(calc, control);
        if (can_take_focus(calc.form, control)) select_option(calc, control);
    } else if (kind == Kind::Menu) {
        return name_of(control) + " is a menu, not a menu item";
    } else {
        if (on_click == nullptr && on_mouse_up == nullptr) {
            return name_of(control) + " has no click action";
        }
        // A modal window's button takes no focus from the main window, so the
        // field the user was in has it again once the window closes.
        if (kind == Kind::Button && calc.form.dialog == Ctl::none) move_focus(calc, control);
        if (on_mouse_up != nullptr) on_mouse_up(calc, control);
        if (on_click != nullptr) on_click(calc, control);
    }
    settle_focus(calc);
    return {};
}

std::string select_text(Calculator& calc, int start, int length) {
    const Ctl focus = calc.form.focus;
    if (!is_entry_field(focus)) return "the focus is not in an entry field";
    Control& c = calc.form[focus];
    const int n = static_cast<int>(c.text.size());
    if (start < 0 || length < 0 || start > n || length > n - start) {
        return "selection outside the text";
    }
    c.selstart = start;
    c.sellength = length;
    return {};
}

}  // namespace orlavex
