// Reading a window model back as a typed set-up: what a front-end that holds
// its own copy of the window (the planner) saves, and what apply() brings a
// started window back to. The values come from the window's state as its
// fields hold them, never from the texts it shows.
#pragma once

#include "app/inputs/setup.h"
#include "engine/calculator.h"

namespace orlavex::app {

// The set-up CALC holds: the catalogue choices, the check boxes and the
// second-stage correction, and every field in the form its option button
// shows. Fields a chosen catalogue model fixes, fields the window has
// disabled and the fields of boxes left unticked (output frequency, the
// external preamplifier, the measured levels) are left out, so that
// apply(started, read_setup(calc)) gives CALC's figures.
Setup read_setup(const Calculator& calc);

}  // namespace orlavex::app
