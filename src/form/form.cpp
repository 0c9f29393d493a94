#include "form/form.h"

namespace orlavex {

Form::Form() {
    for (const ControlRow& row : layout) {
        Control& c = (*this)[row.id];
        c.text = std::string(row.text);
        c.tooltip = std::string(row.tooltip);
        c.visible = (row.flags & Hidden) == 0;
        c.enabled = (row.flags & Disabled) == 0;
        const bool selected = (row.flags & Selected) != 0;
        if (row.kind == Kind::Item) {
            c.checked = selected;
        } else {
            c.value = selected ? 1 : 0;
        }
        c.backcolor = row.backcolor;
        c.forecolor = row.forecolor;
        c.fillcolor = row.fillcolor;
        c.fontsize = row.font.size;
        c.left = row.rect.left;
        c.top = row.rect.top;
        // chkExtPA and chkFreqConv are designed without a tab stop; start-up
        // takes the option buttons and chkIntPA out of the order.
        c.tabstop = takes_focus(row.kind);
        if (row.id == Ctl::chkExtPA || row.id == Ctl::chkFreqConv) c.tabstop = false;
    }
}

bool is_showing(const Form& form, Ctl id) {
    for (Ctl c : outwards_from(id)) {
        if (layout_row(c).kind == Kind::Window) return true;
        if (!form[c].visible) return false;
    }
    return true;
}

bool can_take_focus(const Form& form, Ctl id) {
    if (id == Ctl::none) return false;
    if (!takes_focus(layout_row(id).kind)) return false;
    for (Ctl c : outwards_from(id)) {
        if (layout_row(c).kind == Kind::Window) return true;
        if (!form[c].visible || !form[c].enabled) return false;
    }
    return true;
}

bool is_entry_field(Ctl id) {
    return id != Ctl::none && layout_row(id).kind == Kind::Field;
}

}  // namespace orlavex
