// `orlavex-cli evaluate`: four measured levels evaluated as the window's
// manual mode does (classic, with its error messages) and with the exact,
// cold-temperature corrected Y-factor formula.
#pragma once

#include "app/results/evaluation.h"
#include "cli/window_inputs.h"

#include <optional>
#include <ostream>
#include <string>

namespace orlavex::cli {

void print_evaluation(std::ostream& out, const app::Evaluation& evaluation);

// Why the ENR or its uncertainty given in INPUTS cannot go with TABLE, the
// set-up's ENR table (none: they can); empty when they can.
std::string typed_enr_refusal(const WindowInputs& inputs,
                              const std::optional<datafiles::EnrTable>& table);

// The whole command: empty, or the reason the inputs
// were refused (nothing written then).
std::string run_evaluate(const WindowInputs& inputs, const app::ModelInputs& model, bool json,
                         std::ostream& out);

}  // namespace orlavex::cli
