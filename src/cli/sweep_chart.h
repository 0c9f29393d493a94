// Drawing a sweep's charts through the orlavex-plot helper (which alone
// loads Qt).
#pragma once

#include "charts/sweep_chart_data.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::cli {

// Where orlavex-plot is: beside this program (the build tree, a bin folder
// that has both) or in ../libexec/orlavex (installed). Empty when neither.
std::optional<std::filesystem::path> plot_helper_path();

// Runs orlavex-plot for FILE with DATA on its standard input. Empty, or the
// reason it failed, with the helper's own last word on why.
std::string draw_with_helper(const charts::SweepChartData& data, const std::string& file);

// Runs orlavex-plot with ARGUMENTS and INPUT on its standard input to write
// FILE. Empty, or the reason it failed; NEEDED_FOR names what needs it.
std::string run_plot_helper(const std::vector<std::string>& arguments, const std::string& input,
                            const std::string& file, const std::string& needed_for);

}  // namespace orlavex::cli
