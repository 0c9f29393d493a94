// The set-up the window computed with, after its bounding and the catalogue
// models: the "inputs" of the JSON output and the set-up lines of the table.
#pragma once

#include "cli/json_numbers.h"
#include "cli/window_inputs.h"
#include "engine/calculator.h"

#include <ostream>

namespace orlavex::cli {

Json setup_json(const Calculator& calc, const WindowInputs& inputs);

void print_setup(std::ostream& out, const Calculator& calc, const WindowInputs& inputs);

}  // namespace orlavex::cli
