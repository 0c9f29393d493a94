// The set-up the window computed with, as the readable tables show it.
#pragma once

#include "app/results/setup_echo.h"
#include "measure/setup.h"
#include "planning/bench_setup.h"

#include <ostream>

namespace orlavex::cli {

void print_setup(std::ostream& out, const app::UsedSetup& used);

// The bench as given and as the model USED it at the set-up's frequencies:
// the losses, the measurement source; nothing without a bench.
void print_bench(std::ostream& out, const planning::BenchInput& bench,
                 const measure::MeasurementSetup& used);

// The notes on values the window rounded or bounded, one line each.
void print_notes(std::ostream& out, const std::vector<std::string>& notes);

}  // namespace orlavex::cli
