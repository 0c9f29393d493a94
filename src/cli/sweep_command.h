// `orlavex-cli sweep`: the window's set-up evaluated across a range of one
// input, as a table, CSV or JSON, optionally drawn into a PNG or SVG file.
#pragma once

#include "cli/sweep_request.h"
#include "engine/calculator.h"

#include <ostream>

namespace orlavex::cli {

// The whole command on STARTED (a window after Form_Load). Returns the exit
// status; on bad input or a bad file, one line on ERR and nothing on OUT.
int run_sweep_command(const SweepRequest& request, bool json, std::ostream& out, std::ostream& err);

}  // namespace orlavex::cli
