#include "charts/image_format.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace orlavex::charts {

std::optional<ImageFormat> image_format_of(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "png") return ImageFormat::png;
    if (extension == "svg") return ImageFormat::svg;
    return std::nullopt;
}

}  // namespace orlavex::charts
