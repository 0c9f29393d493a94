#include "window/instrument_menu.h"

#include "engine/apply_catalogue.h"
#include "engine/controls.h"

#include <string>

namespace orlavex {

void choose_instrument(Calculator& calc, const InstrumentMenu& menu, Ctl chosen) {
    calc.form[menu.user_item].checked = false;
    for (Ctl array : menu.model_menus)
        uncheck_items(calc, array);
    calc.form[chosen].checked = true;
    set_text(calc, menu.selection_label,
             chosen == menu.user_item ? std::string(user_selection) : calc.form[chosen].text);
    menu.apply(calc);
    menu.recalculate(calc);
}

}  // namespace orlavex
