// The image files the charts are drawn into, told by their extension.
#pragma once

#include <optional>
#include <string_view>

namespace orlavex::charts {

enum class ImageFormat { png, svg };

// From the file name's extension (.png, .svg, any case); empty for others.
std::optional<ImageFormat> image_format_of(std::string_view path);

}  // namespace orlavex::charts
