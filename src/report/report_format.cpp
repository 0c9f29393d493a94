#include "report/report_format.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace orlavex::report {

namespace {

bool ends_with_any_case(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::ranges::equal(text.substr(text.size() - suffix.size()), suffix,
                              [](char a, char b) { return std::tolower(a) == b; });
}

}  // namespace

std::optional<ReportFormat> report_format_of(std::string_view path) {
    if (ends_with_any_case(path, ".html") || ends_with_any_case(path, ".htm"))
        return ReportFormat::html;
    if (ends_with_any_case(path, ".pdf")) return ReportFormat::pdf;
    return std::nullopt;
}

std::optional<Paper> paper_named(std::string_view name) {
    if (name == "a4") return Paper::a4;
    if (name == "letter") return Paper::letter;
    return std::nullopt;
}

}  // namespace orlavex::report
