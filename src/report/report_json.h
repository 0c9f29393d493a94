// A report's content to and from JSON, and the form in which orlavex-cli
// hands a report to the orlavex-plot helper, which draws its charts and
// writes HTML or PDF.
#pragma once

#include "report/report_content.h"

#include <stdexcept>
#include <string>

namespace orlavex::report {

std::string to_json_text(const ReportContent& content);

struct ReportDataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws ReportDataError naming what is missing or malformed.
ReportContent from_json_text(const std::string& text);

// The content as orlavex-cli hands it to orlavex-plot: the JSON with the
// chart's points left out, a NUL, then the chart in the binary form of
// chart_data_binary.h (a 1001-point chart reads many times faster so than
// parsed from JSON).
std::string to_helper_input(const ReportContent& content);

// Either form, the helper's or the JSON alone; throws ReportDataError.
ReportContent from_helper_input(const std::string& input);

}  // namespace orlavex::report
