#include "engine/controls.h"

namespace orlavex {

void select_option(Calculator& calc, Ctl option) {
    Control& c = calc.form[option];
    if (c.value != 0) return;
    for (const ControlRow& row : layout) {
        if (row.kind == Kind::Option && row.parent == layout_row(option).parent) {
            calc.form[row.id].value = 0;
        }
    }
    c.value = 1;
    if (calc.on_value_changed != nullptr) calc.on_value_changed(calc, option);
}

void set_check(Calculator& calc, Ctl box, int value) {
    Control& c = calc.form[box];
    if (c.value == value) return;
    c.value = value;
    if (calc.on_value_changed != nullptr) calc.on_value_changed(calc, box);
}

void set_check_quietly(Calculator& calc, Ctl box, int value) {
    calc.form[box].value = value;
}

void uncheck_items(Calculator& calc, Ctl first) {
    const int count = item_count(first);
    for (int i = 0; i < count; ++i)
        calc.form[item(first, i)].checked = false;
}

bool is_selected(const Calculator& calc, Ctl option) {
    return calc.form[option].value != 0;
}
bool is_ticked(const Calculator& calc, Ctl box) {
    return calc.form[box].value == 1;
}
bool is_checked(const Calculator& calc, Ctl menu_item) {
    return calc.form[menu_item].checked;
}

void set_text(Calculator& calc, Ctl id, std::string text) {
    Control& c = calc.form[id];
    if (c.text == text) return;
    c.text = std::move(text);
    if (is_entry_field(id)) {
        c.selstart = 0;
        c.sellength = 0;
    }
}

}  // namespace orlavex
