// The window as a typed set-up, and the results of the classic core taken
// back into the window's state: the one bridge between the calculator's
// controls and core::classic_figures.
#pragma once

#include "core/classic.h"
#include "engine/calculator.h"

namespace orlavex {

// The state's values (as the last reading of the fields left them) and the
// choices the controls show now.
core::ClassicSetup read_classic_setup(const Calculator& calc);

// The state as RESULT leaves it: the values used, the limits, the
// reflections and the off temperature; the uncertainty when it was computed.
void adopt_classic_result(CalcState& state, const core::ClassicResult& result);

}  // namespace orlavex
