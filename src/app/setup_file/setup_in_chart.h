// The set-up a chart carries: a PNG keeps it in its "orlavex:setup" text
// chunk (tEXt, or iTXt, deflated when large), an SVG in its <metadata
// id="orlavex-setup"> element, so that a chart reopens as the plan that
// drew it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

// The set-up's JSON text in BYTES when they are a PNG or an SVG file;
// nothing when they are neither. A chart without a set-up, or with one that
// cannot be read back, is a SetupFileError naming FILE_NAME.
std::optional<std::string> setup_in_chart(std::string_view bytes, std::string_view file_name);

}  // namespace orlavex::app
