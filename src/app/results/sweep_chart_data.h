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

// The same a part at a time, for a sweep whose points are not kept: the
// chart without points from the sweep's outline, and each point's part.
charts::SweepChartData chart_outline(const planning::SweepResult& outline, std::string title,
                                     bool log_x);
charts::ChartPoint chart_point(const planning::SweepPoint& point);

}  // namespace orlavex::app
