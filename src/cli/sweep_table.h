// A sweep's result as a readable table: the columns an engineer reads first.
#pragma once

#include "planning/sweep.h"

#include <ostream>

namespace orlavex::cli {

void print_sweep_table(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);

}  // namespace orlavex::cli
