// What an exported chart file says about itself beside the picture: the
// program, when it was made, a one-line summary and the set-up behind it.
#pragma once

#include <chrono>
#include <string>

#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

struct FileMetadata {
    std::string software;       // "Orlavex 3.30"
    std::string creation_time;  // ISO 8601 in UTC, "2026-12-10T00:31:05Z"
    std::string description;    // "<title>; <x label> <first x> to <last x>, <n> points"
    std::string setup;          // JSON text; empty when not known
};

FileMetadata file_metadata(const SweepChartData& data, std::chrono::system_clock::time_point made);

// TEXT with &, < and > written as XML entities, for an element's content.
std::string xml_escaped(const std::string& text);

}  // namespace orlavex::charts
