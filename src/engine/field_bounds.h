// The field ranges of form/field_ranges.h applied to the calculator: which
// form a field is in now, the upper end the state gives a range, and the
// tool tip that names it.
#pragma once

#include "engine/calculator.h"
#include "form/field_ranges.h"

#include <string>

namespace orlavex {

// The range of entry field FIELD in the form its option buttons choose now.
const FieldRange& current_range(const Calculator& calc, Ctl field);

// The upper end of RANGE with the state's limits as they are now.
double upper_end(const CalcState& s, const FieldRange& range);

// The tool tip of RANGE with UPPER written as the window writes numbers.
std::string range_tip(const FieldRange& range, double upper, char separator);

// The tool tip of RANGE as the window shows it now.
std::string range_tip(const Calculator& calc, const FieldRange& range);

}  // namespace orlavex
