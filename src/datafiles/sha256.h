// SHA-256 of a data file's bytes, as the set-up files record it so that an
// embedded copy can be checked against the original.
#pragma once

#include <string>
#include <string_view>

namespace orlavex::datafiles {

// The digest of BYTES as 64 lower-case hexadecimal digits.
std::string sha256_hex(std::string_view bytes);

}  // namespace orlavex::datafiles
