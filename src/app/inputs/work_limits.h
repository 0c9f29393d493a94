// What the measurement model can be asked for at all: readings whose jitter
// the model describes, and no more Monte Carlo work than a run can finish.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/model_inputs.h"

#include <cstddef>
#include <string>

namespace orlavex::app {

// Noise bandwidth times integration time below one sample per reading gives
// no averaged reading whose scatter 1/sqrt(B tau) means anything.
inline constexpr double fewest_samples_per_reading = 1;

// A sweep's Monte Carlo in all (points times trials): the most points at a
// sweep's own number of trials.
inline constexpr double most_sweep_trials = static_cast<double>(most_points) * sweep_trials;

// Why MODEL's readings cannot be simulated (empty when they can): noise
// bandwidth and integration time both on but their product below
// fewest_samples_per_reading.
std::string readings_refusal(const ModelInputs& model, Naming naming);

// Why a sweep of POINTS points with TRIALS trials each asks for too much
// (empty when it does not, or when MONTE_CARLO is off).
std::string sweep_work_refusal(std::size_t points, std::size_t trials, bool monte_carlo,
                               Naming naming);

}  // namespace orlavex::app
