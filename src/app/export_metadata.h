// What an exported chart (PNG, SVG) says about its making: the program, the
// sweep in a few words, and the whole set-up as a set-up file's text, so
// that the image alone can be reopened as the bench that drew it.
#pragma once

#include "app/sweep_request.h"
#include "charts/sweep_chart_data.h"

#include <string_view>

namespace orlavex::app {

// The keys, as PNG text chunks name them.
inline constexpr std::string_view metadata_software = "Software";
inline constexpr std::string_view metadata_description = "Description";
inline constexpr std::string_view metadata_setup = "Orlavex-Setup";

// "Software", "Description" and, where the data files can still be read,
// "Orlavex-Setup" (the set-up file's text).
charts::ChartMetadata export_metadata(const SweepRequest& request, std::string_view version);

}  // namespace orlavex::app
