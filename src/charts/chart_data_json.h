// SweepChartData to and from JSON: the charts inside the report's JSON that
// orlavex-cli hands the orlavex-plot helper (which keeps Qt out of the
// command-line calculator); a sweep alone goes there in binary.
#pragma once

#include <stdexcept>
#include <string>

#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

std::string to_json_text(const SweepChartData& data);

struct ChartDataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ChartDataError naming what is missing or malformed.
SweepChartData from_json_text(const std::string& text);

}  // namespace orlavex::charts
