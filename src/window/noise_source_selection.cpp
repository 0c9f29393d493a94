#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "window/catalogue_menus.h"
#include "window/instrument_menu.h"
#include "window/selection.h"

namespace orlavex {

using enum Ctl;

namespace {

constexpr InstrumentMenu noise_source_menu{mnuNSuser, noise_source_maker_menus, lblNSsel,
                                           set_NS_values, Do_Calc};

}  // namespace

void noise_source_model_Click(Calculator& calc, Ctl chosen) {
    choose_instrument(calc, noise_source_menu, chosen);
}

void mnuNSuser_Click(Calculator& calc) {
    choose_instrument(calc, noise_source_menu, mnuNSuser);
}

}  // namespace orlavex
