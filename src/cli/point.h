// `orlavex-cli point`: the window's prediction for a set-up, then the GUM
// budget and the Monte Carlo of the same set-up.
#pragma once

#include "app/results/point.h"
#include "cli/window_inputs.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

namespace orlavex::cli {

void print_point(std::ostream& out, const app::Point& point);

// The data files a point reads its known reflections from (empty: not
// given; a set-up file's then).
struct PointFilePaths {
    std::string enr_table, dut_s2p;
};
void add_point_file_options(CLI::App& sub, PointFilePaths& files);

// The whole command (with the Monte Carlo unless MONTE_CARLO is false):
// empty, or the reason the inputs were refused (nothing written then).
std::string run_point(const WindowInputs& inputs, const app::ModelInputs& model,
                      const PointFilePaths& files, bool monte_carlo, bool json, std::ostream& out);

}  // namespace orlavex::cli
