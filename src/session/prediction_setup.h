// The calculator's set-up as the planner takes it over: a plan predicts what
// a measurement will read, so the four measured levels of the manual entry
// play no part in it.
#pragma once

#include "engine/calculator.h"

namespace orlavex::session {

// CALC as a prediction: manual entry of measured levels switched off as its
// check box does it (the window then predicts from the DUT figures it shows,
// keeping the chosen noise source and analyzer), and a pop-up menu open there
// closed.
Calculator prediction_setup(Calculator calc);

}  // namespace orlavex::session
