// Measured points over the planned uncertainty: each measured noise figure
// less the planned one, as a mark with its expanded uncertainty as an error
// bar, on the uncertainty chart (whose x axis is the frequency).
#pragma once

#include "session/measured_readings.h"

#include <QtCharts/QChart>

#include <vector>

namespace orlavex::planner {

// The legend's name of the measured points (short: the legend is one line).
inline constexpr const char* measured_series_name = "measured";

// Adds MARKS to CHART, its y axis widened where the bars reach beyond it.
// Marks outside the x axis' range are left out; returns how many are drawn.
std::size_t add_measured_series(QChart& chart, const std::vector<session::MeasuredMark>& marks);

}  // namespace orlavex::planner
