// Qt's SVG generator writes a group with the painter's whole state around
// every drawing call, and an empty one for every state change: a chart of
// a 1001-point sweep comes to several megabytes, most of it group tags.
// Compaction drops the empty groups and joins neighbouring groups that
// carry the same attributes; what the file draws stays exactly the same.
#pragma once

#include <string>
#include <string_view>

namespace orlavex::charts {

std::string compact_svg(std::string_view svg);

}  // namespace orlavex::charts
