// The one recalculation of the calculator and the procedures around it.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

// Reads every field, re-applies the catalogues, bounds the inputs, predicts
// (or evaluates the manual levels), rates the guidelines, computes the
// uncertainty and writes every result text.
void Do_Calc(Calculator& calc);

// The same recalculation without the texts nobody reads: the figures, the
// state, the choices, locks and visibility of the controls come out exactly
// as Do_Calc leaves them, and every entry field reads back the value
// Do_Calc would leave in it (its text is rewritten only where that value
// changed). Result labels, tool tips and colours keep what they showed. No
// click handler runs.
void recalculate_figures(Calculator& calc);

// Writes the headline uncertainty (and the offset without second-stage
// correction) at the chosen resolution.
void DisplayNFunc(Calculator& calc);

// Greys the three guideline lamps and blanks their texts.
void Blank_Guidelines(Calculator& calc);

}  // namespace orlavex
