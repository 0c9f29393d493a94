// A report's content to and from JSON: how orlavex-cli hands a report to
// the orlavex-plot helper, which draws its charts and writes HTML or PDF.
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

}  // namespace orlavex::report
