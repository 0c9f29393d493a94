#include "window/menu_lookup.h"

#include "form/layout.h"

namespace orlavex {

Ctl menu_item_captioned(const Calculator& calc, Ctl top, std::string_view caption) {
    for (const ControlRow& row : layout) {
        if (row.kind != Kind::Item || calc.form[row.id].text != caption) continue;
        for (Ctl c : outwards_from(row.id)) {
            if (c == top) return row.id;
        }
    }
    return Ctl::none;
}

}  // namespace orlavex
