// The manual evaluation: the DUT's noise figure and gain and the analyzer's
// noise figure from four measured levels.
#pragma once

#include "core/classic.h"

namespace orlavex::core {

// Evaluates the levels in RESULT.used (after the common steps); false when
// they give no result, with RESULT.end and its error flags saying why.
bool evaluate_levels(ClassicResult& result);

}  // namespace orlavex::core
