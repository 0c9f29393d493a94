// Readings made from a plan, for the tests that evaluate them: the plan a
// `sweep` saves, swept again from its set-up file as the planner and the
// report do, and the four readings its model predicts at each point.
#pragma once

#include "planning/sweep.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace orlavex::cli::test {

// X with every digit a double holds, so that a reading goes through text
// unchanged.
std::string exact_number(double x);

// `orlavex-cli sweep ARGS --save-setup SETUP`, then the sweep of SETUP.
planning::SweepResult saved_plan(std::vector<std::string> args, const std::string& setup);

// The readings PLAN's model predicts at each of its points, written to
// FILE as `evaluate --readings` reads them; FILE.
std::string predicted_readings_file(const planning::SweepResult& plan, const std::string& file);

// The rows of `orlavex-cli evaluate --setup SETUP --readings READINGS
// --format json`: one per frequency, or none when evaluate failed (the test
// fails then, with its message).
nlohmann::json evaluated_rows(const std::string& setup, const std::string& readings);

}  // namespace orlavex::cli::test
