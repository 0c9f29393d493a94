// The same window driven by the headless driver's script lines, to compare
// with what orlavex-cli makes of the matching options.
#pragma once

#include "engine/calculator.h"

#include <nlohmann/json.hpp>

#include <string_view>

namespace orlavex::cli::test {

// A started window after the driver's SCRIPT (lines; each must succeed).
Calculator driven(std::string_view script);

// Expects the "classic" object of a point's JSON to hold exactly the
// figures of WINDOW.
void expect_figures_of(const Calculator& window, const nlohmann::json& classic);

}  // namespace orlavex::cli::test
