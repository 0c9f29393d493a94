// The helpers every formula of the calculator is written with: the
// measurement library's decibel arithmetic, and the engine's clamp.
#pragma once

#include "measure/units.h"

namespace orlavex {

using measure::db;
using measure::lin;
using measure::log10;
using measure::lsq;

// x clamped to [min, max]; the maximum is tested first.
double limit(double x, double min, double max);

}  // namespace orlavex
