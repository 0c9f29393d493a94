// The report files: HTML or PDF by the file name's extension, on A4 or
// Letter paper.
#pragma once

#include <optional>
#include <string_view>

namespace orlavex::report {

enum class ReportFormat { html, pdf };
enum class Paper { a4, letter };

// From the extension (.html, .htm, .pdf, any case); empty for others.
std::optional<ReportFormat> report_format_of(std::string_view path);

// "a4" or "letter"; empty for others.
std::optional<Paper> paper_named(std::string_view name);

}  // namespace orlavex::report
