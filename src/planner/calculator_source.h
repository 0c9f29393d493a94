// How the planner reads the calculator it plans for.
#pragma once

#include "engine/calculator.h"

#include <functional>

namespace orlavex::planner {

// The calculator's state now (a copy).
using CalculatorSource = std::function<Calculator()>;

}  // namespace orlavex::planner
