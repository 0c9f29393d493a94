// The measurement set-up the calculator's current (bounded) state implies,
// for the extended model.
#pragma once

#include "engine/calculator.h"
#include "measure/setup.h"

namespace orlavex {

// DUT noise figure and gain, ENR (at both frequencies), ENR uncertainty,
// off temperature in K, net analyzer noise figure (preamplifiers included),
// the four reflection magnitudes (the external preamplifier's input match
// while it is on), the analyzer's noise-figure and gain uncertainties, the
// second-stage correction and the frequency conversion. Jitter and the shape
// of the analyzer's datasheet limits stay at their defaults. Reads the state Do_Calc
// has left.
measure::MeasurementSetup measurement_setup(const Calculator& calc);

}  // namespace orlavex
