// A report's drawing as an inline SVG element for the HTML page.
#pragma once

#include "report/report_content.h"

#include <string>

namespace orlavex::report {

// <svg viewBox="0 0 WIDTH HEIGHT" ...> with the drawing's lines and texts,
// scaled to its container; the caption is its accessible name.
std::string drawing_svg(const ReportDrawing& drawing);

}  // namespace orlavex::report
