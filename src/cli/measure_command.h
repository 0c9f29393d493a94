// `orlavex-cli measure`: a band measured with instruments, calibration
// first, then the DUT, the readings written as `evaluate --readings` reads
// them and evaluated by it.
#pragma once

#include "cli/measure_request.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace orlavex::cli {

// Status of a run cut short by Ctrl-C.
inline constexpr int exit_interrupted = 130;

void add_measure_options(CLI::App& sub, MeasureRequest& request);

// The whole command; the exit status. Prompts and progress go to the
// terminal's standard error, the one line of a failure to ERR.
int run_measure_command(const MeasureRequest& request, std::ostream& out, std::ostream& err);

}  // namespace orlavex::cli
