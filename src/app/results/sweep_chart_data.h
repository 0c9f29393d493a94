// A sweep as the charts' plain description (drawn by orlavex-plot and the
// planner window).
#pragma once

#include "charts/sweep_chart_data.h"
#include "planning/sweep.h"

#include <string>

namespace orlavex::app {

// LOG_X: the sweep's points are spaced logarithmically.
charts::SweepChartData chart_data(const planning::SweepResult& result, std::string title,
                                  bool log_x);

}  // namespace orlavex::app
