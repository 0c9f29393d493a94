// `orlavex-cli advise`: which noise source and internal-preamplifier choice
// to use for the DUT and analyzer across a frequency band, ranked.
#pragma once

#include "cli/sweep_request.h"
#include "engine/calculator.h"
#include "planning/advice.h"

#include <ostream>

namespace orlavex::cli {

void print_advice(std::ostream& out, const planning::Advice& advice);

// The whole command on STARTED (a window after Form_Load), over frequency.
// Returns the exit status; on bad input or a bad file, one line on ERR and
// nothing on OUT.
int run_advise_command(const SweepRequest& request, bool json, std::ostream& out,
                       std::ostream& err);

}  // namespace orlavex::cli
