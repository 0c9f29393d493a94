// The measurement model's own inputs (beyond the window's), their ranges,
// and the limits of a sweep: written once for every front-end.
#pragma once

#include "measure/monte_carlo.h"
#include "measure/setup.h"
#include "planning/sweep.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orlavex::app {

inline constexpr std::size_t fewest_trials = 1;
inline constexpr std::size_t most_trials = 100'000'000;
inline constexpr std::size_t point_trials = measure::MonteCarloOptions{}.trials;
// A sweep's Monte Carlo runs at every point: fewer trials each.
inline constexpr std::size_t sweep_trials = planning::MonteCarloChoice{}.trials;
inline constexpr std::size_t fewest_points = 2;
inline constexpr std::size_t most_points = 100'000;
inline constexpr std::size_t default_points = 101;

// The model's options as the measurement takes them (assigned whole to a
// measure::MeasurementSetup's), and the Monte Carlo's own.
struct ModelInputs : measure::ModelOptions {
    std::size_t trials = point_trials;
    std::uint64_t seed = measure::default_seed;
    bool keep_samples = false;  // keep every trial's error
};

enum class ModelValue { not_negative, trials, seed, shape };

struct ModelInput {
    std::string_view name;       // "noise_bw"
    std::string_view flag;       // "--noise-bw"
    std::string_view type_name;  // "HZ"
    std::string_view help;
    ModelValue kind;
    double measure::ModelOptions::*number = nullptr;  // where a not_negative value goes
    std::string_view key = {};  // in a set-up file, as a result names it: "noise_bw_hz"
    bool monte_carlo = false;   // only a command that runs a Monte Carlo takes it
};

// clang-format off
inline constexpr std::array model_inputs{
    ModelInput{"noise_bw", "--noise-bw", "HZ", "noise bandwidth of the readings, Hz (0: no jitter)", ModelValue::not_negative, &ModelInputs::noise_bw_hz, "noise_bw_hz"},
    ModelInput{"tau", "--tau", "S", "integration time per reading, s (0: no jitter)", ModelValue::not_negative, &ModelInputs::tau_s, "tau_s"},
    ModelInput{"trials", "--trials", "N", "Monte Carlo trials; each is held to the end, 4 bytes and as much again while sorting (1e8 trials: about 800 MB of memory)", ModelValue::trials, nullptr, "trials", true},
    ModelInput{"seed", "--seed", "N", "Monte Carlo seed", ModelValue::seed, nullptr, "seed", true},
    ModelInput{"spec_shape", "--spec-shape", "normal|rect", "distribution of the analyzer's specified uncertainties", ModelValue::shape, nullptr, "spec_shape"},
};
// clang-format on

std::string_view shape_name(measure::SpecShape shape);

// What a whole-number input takes, as every front-end says when it gets
// anything else: "must be a whole number from 1 to 100000000" for the
// trials, from 0 to 2^64 - 1 for the seed.
std::string whole_number_rule(ModelValue kind);

}  // namespace orlavex::app
