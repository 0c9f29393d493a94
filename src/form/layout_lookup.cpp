#include "form/layout.h"

#include "form/layout_rows.h"

namespace orlavex {

const std::array<ControlRow, control_count> layout = layout_table::rows;

Ctl window_of(Ctl control) {
    for (Ctl c : outwards_from(control)) {
        if (layout_row(c).parent == Ctl::none) return c;
    }
    return Ctl::none;
}

Ctl find_control(std::string_view name, int index) {
    for (const ControlRow& row : layout) {
        if (row.name == name && row.index == index) return row.id;
    }
    return Ctl::none;
}

int item_count(Ctl first) {
    return layout_table::items_in(first);
}

}  // namespace orlavex
