// SweepChartData in a compact binary form: how orlavex-cli hands a sweep to
// orlavex-plot for --plot, read and written by copying values rather than
// by formatting and parsing text. Both ends are the same build on the same
// machine, so values go in its own byte order; the leading tag names the
// form and its version and tells it from the JSON the helper also reads.
#pragma once

#include <string>
#include <string_view>

#include "charts/chart_data_json.h"
#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

std::string to_binary(const SweepChartData& data);

// Whether BYTES begin with the binary form's tag.
bool is_binary_chart_data(std::string_view bytes);

// Throws ChartDataError for another tag, a short or overlong input, or a
// lamp out of range.
SweepChartData from_binary(std::string_view bytes);

}  // namespace orlavex::charts
