// The command line's options for the bench around the DUT: the rows of the
// application's bench inputs.
#pragma once

#include "app/inputs/bench_inputs.h"

#include <CLI/CLI.hpp>

namespace orlavex::cli {

void add_bench_options(CLI::App& sub, app::BenchInputs& inputs);

}  // namespace orlavex::cli
