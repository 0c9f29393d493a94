// A measurement's charts (the DUT's noise figure with its error bars and
// its gain, over the plan of the same set-up) drawn through orlavex-plot.
#pragma once

#include "charts/sweep_chart_data.h"
#include "cli/evaluate_readings.h"

#include <string>

namespace orlavex::cli {

// Why FILE cannot take the charts (not .png or .svg, or not writable),
// naming OPTION; empty when it can.
std::string measured_plot_refusal(const std::string& file, const std::string& option = "--plot");

// EVALUATED as the charts' description into DATA, with the plan of its
// set-up at the readings' frequencies when WITH_PLAN: empty, or the
// one-line reason the plan was refused.
std::string measured_chart(const EvaluatedReadings& evaluated, bool with_plan, bool strict,
                           charts::SweepChartData& data);

}  // namespace orlavex::cli
