// Bytes as Base64 text, for a data file that is not UTF-8 text and so
// cannot be kept in JSON strings as it is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orlavex::datafiles {

std::string base64_encode(std::string_view bytes);

// The bytes TEXT encodes; none when it is not Base64.
std::optional<std::string> base64_decode(std::string_view text);

}  // namespace orlavex::datafiles
