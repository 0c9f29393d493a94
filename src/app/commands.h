// The commands every front-end offers, written once: the command line's
// subcommands and its "give a command" message come from these rows, and
// which inputs each takes decides the command line's options and the
// Python functions' keywords alike.
#pragma once

#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"

#include <array>
#include <string>
#include <string_view>

namespace orlavex::app {

// Which of the measurement model's own inputs a command takes.
enum class ModelTaken {
    none,
    budget,       // the readings' jitter and the shape of the analyzer's datasheet limits
    monte_carlo,  // those, and the Monte Carlo's trials and seed
};

struct Command {
    std::string_view name;
    std::string_view summary;
    // Besides the set-up: the prediction's inputs or the measured levels.
    Scope scope = Scope::prediction;
    ModelTaken model = ModelTaken::none;
    bool bench = false;  // the losses around the DUT and a measurement source
};

// clang-format off
inline constexpr std::array commands{
    Command{"point", "predict a measurement: the window's figures, GUM budget, Monte Carlo", Scope::prediction, ModelTaken::monte_carlo, true},
    Command{"evaluate", "evaluate four measured levels, classic (as the window) and exact, with their uncertainty", Scope::levels, ModelTaken::budget, true},
    Command{"sweep", "evaluate the set-up across a range of one input: table, CSV, JSON, plot", Scope::prediction, ModelTaken::monte_carlo, true},
    // The advice ranks by the GUM budget and runs no Monte Carlo.
    Command{"advise", "rank the noise sources and preamplifier choices across a frequency band", Scope::prediction, ModelTaken::budget, true},
    Command{"report", "write a measurement-plan report of a sweep: HTML or PDF", Scope::prediction, ModelTaken::monte_carlo, true},
    Command{"measure", "measure a band with instruments: calibration, DUT, readings evaluated", Scope::setup},
    Command{"catalogue", "list the built-in instrument models", Scope::setup},
};
// clang-format on

// The row of the command NAME; it must be one.
const Command& command_named(std::string_view name);

// Does COMMAND take ROW?
constexpr bool takes(const Command& command, const ModelInput& row) {
    if (command.model == ModelTaken::none) return false;
    return !row.monte_carlo || command.model == ModelTaken::monte_carlo;
}

// "point, evaluate, sweep, advise, report, measure or catalogue"
std::string command_list();

}  // namespace orlavex::app
