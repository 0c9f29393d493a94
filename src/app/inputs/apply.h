// Bringing a started window model to a typed set-up through the user's own
// actions: the option menu, the check boxes, the catalogue menus, then
// every field (its format button, the focus, the characters, Enter). The
// window then holds what it would show for those inputs. Whether the
// set-up is refused, and the notes on the values the window rounds or
// bounds, are resolve()'s (app/classic_apply.h): the window arrives at the
// very values and figures it computes.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/classic_apply.h"
#include "app/inputs/setup.h"
#include "engine/calculator.h"

namespace orlavex::app {

// Carries SETUP out on CALC, a window model that has run Form_Load.
Applied apply(Calculator& calc, const Setup& setup, const ApplyOptions& options = {});

}  // namespace orlavex::app
