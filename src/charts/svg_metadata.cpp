#include "charts/svg_metadata.h"

#include <algorithm>
#include <cctype>

namespace orlavex::charts {

namespace {

std::string xml_text(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        if (c == '&') {
            escaped += "&amp;";
        } else if (c == '<') {
            escaped += "&lt;";
        } else if (c == '>') {
            escaped += "&gt;";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string element_id(std::string key) {
    std::ranges::transform(key, key.begin(), [](unsigned char c) {
        return std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '-';
    });
    return key;
}

}  // namespace

std::string with_svg_metadata(std::string_view svg, const ChartMetadata& metadata) {
    const std::size_t root = svg.find("<svg");
    const std::size_t root_end = root == std::string_view::npos ? root : svg.find('>', root);
    if (metadata.empty() || root_end == std::string_view::npos) return std::string(svg);
    std::string elements;
    for (const auto& [key, text] : metadata)
        elements += "\n<metadata id=\"" + element_id(key) + "\">" + xml_text(text) + "</metadata>";
    std::string out(svg.substr(0, root_end + 1));
    out += elements;
    out += svg.substr(root_end + 1);
    return out;
}

}  // namespace orlavex::charts
