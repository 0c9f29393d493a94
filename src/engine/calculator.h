// The main window as the engine sees it: its controls and its state.
#pragma once

#include "engine/figures.h"
#include "engine/state.h"
#include "form/form.h"

namespace orlavex {

struct Calculator;

// Runs the click handler of a check box or option button whose value code
// has just changed. The handler layer installs it; without it (engine tests)
// a value change from code runs nothing.
using ClickHandler = void (*)(Calculator&, Ctl);

struct Calculator {
    Form form;
    CalcState state;
    ClassicFigures figures;  // of the last Do_Calc
    ClickHandler on_value_changed = nullptr;
};

}  // namespace orlavex
