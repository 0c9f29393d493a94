// `orlavex-cli point`: the window's prediction for a set-up, then the GUM
// budget and the Monte Carlo of the same set-up.
#pragma once

#include "cli/json_numbers.h"
#include "cli/window_inputs.h"
#include "engine/calculator.h"
#include "measure/gum.h"
#include "measure/monte_carlo.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace orlavex::cli {

// What the extended model adds to the window's inputs.
struct ModelOptions {
    double noise_bw_hz = 0;  // jitter off while either is 0
    double tau_s = 0;
    std::size_t trials = measure::MonteCarloOptions{}.trials;
    std::uint64_t seed = measure::default_seed;
    std::string spec_shape = "normal";  // or "rect"
    bool keep_samples = false;          // keep every trial's error (the Python module's samples)
};

struct PointResult {
    measure::MeasurementSetup setup;
    measure::Budget budget;
    measure::MonteCarloResult monte_carlo;
};

// The model's results for the set-up CALC (after apply_inputs) shows;
// none (an invalid budget, every trial invalid) where the window finds the
// set-up invalid.
PointResult compute_point(const Calculator& calc, const ModelOptions& model);

Json point_json(const Calculator& calc, const WindowInputs& inputs, const PointResult& result);
void print_point(std::ostream& out, const Calculator& calc, const WindowInputs& inputs,
                 const PointResult& result);

// The whole command on CALC, a started window: empty, or the reason the
// inputs were refused (nothing written then).
std::string run_point(Calculator& calc, const WindowInputs& inputs, const ModelOptions& model,
                      bool json, std::ostream& out);

}  // namespace orlavex::cli
