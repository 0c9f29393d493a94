// The one recalculation of the calculator and the procedures around it.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

// Reads every field, re-applies the catalogues, bounds the inputs, predicts
// (or evaluates the manual levels), rates the guidelines, computes the
// uncertainty and writes every result text.
void Do_Calc(Calculator& calc);

// The same recalculation without the texts nobody reads: the figures, the
// state, the choices, locks and visibility of the controls and the entry
// fields' texts come out exactly as Do_Calc leaves them. Result labels (and
// the minus line beside the uncertainty), tool tips, colours and the entry
// fields' selections keep what they had; no click handler runs.
void recalculate_figures(Calculator& calc);

// Writes the headline uncertainty (and the offset without second-stage
// correction) at the chosen resolution.
void DisplayNFunc(Calculator& calc);

// Greys the three guideline lamps and blanks their texts.
void Blank_Guidelines(Calculator& calc);

}  // namespace orlavex
