// What the analyzer and the noise source pop-up menus share: a "User
// Defined" item, one item array per family or maker, the label that names
// the choice, and how a choice is applied and recalculated.
#pragma once

#include "engine/calculator.h"

#include <span>

namespace orlavex {

struct InstrumentMenu {
    Ctl user_item;                     // mnuSAuser, mnuNSuser
    std::span<const Ctl> model_menus;  // analyzer_family_menus, noise_source_maker_menus
    Ctl selection_label;               // lblSAsel, lblNSsel
    void (*apply)(Calculator&);        // set_SA_values, set_NS_values
    void (*recalculate)(Calculator&);
};

// Checks CHOSEN (the user item or a model item) alone, names it in the
// selection label ("User" for the user item), applies and recalculates.
void choose_instrument(Calculator& calc, const InstrumentMenu& menu, Ctl chosen);

}  // namespace orlavex
