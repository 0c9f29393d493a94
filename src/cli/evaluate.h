// `orlavex-cli evaluate`: four measured levels evaluated as the window's
// manual mode does (classic, with its error messages) and with the exact,
// cold-temperature corrected Y-factor formula.
#pragma once

#include "cli/json_numbers.h"
#include "cli/window_inputs.h"
#include "engine/calculator.h"
#include "measure/manual_evaluation.h"

#include <ostream>
#include <string>

namespace orlavex::cli {

// The exact evaluation of the levels CALC (after apply_inputs in manual
// mode) holds, with its ENR, off temperature and correction.
measure::ExactEvaluation exact_evaluation(const Calculator& calc);

Json evaluate_json(const Calculator& calc, const WindowInputs& inputs,
                   const measure::ExactEvaluation& exact);
void print_evaluation(std::ostream& out, const Calculator& calc, const WindowInputs& inputs,
                      const measure::ExactEvaluation& exact);

// The whole command on CALC, a started window: empty, or the reason the
// inputs were refused (nothing written then).
std::string run_evaluate(Calculator& calc, const WindowInputs& inputs, bool json,
                         std::ostream& out);

}  // namespace orlavex::cli
