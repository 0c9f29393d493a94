// An SVG file's own record of its making: each metadata field as a
// <metadata> element right inside the root, its id the key in lower case
// ("orlavex-setup"), its text escaped as XML character data.
#pragma once

#include "charts/sweep_chart_data.h"

#include <string>
#include <string_view>

namespace orlavex::charts {

// SVG with METADATA's elements added; SVG as it was when it has no root
// element or METADATA is empty.
std::string with_svg_metadata(std::string_view svg, const ChartMetadata& metadata);

}  // namespace orlavex::charts
