// Python's str from UTF-8, as code points: what a numpy str array holds.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace orlavex::python {

// True when every byte of TEXT is ASCII other than NUL: one code point per
// byte.
bool plain_ascii(std::string_view text);

// Decodes TEXT into OUT (when not null); the number of code points, or
// nothing for UTF-8 that Python would refuse (a stray or missing
// continuation byte, an overlong form, a surrogate, beyond U+10FFFF) or a
// NUL, which numpy would strip from the end of an element.
std::optional<std::size_t> decode_utf8(std::string_view text, char32_t* out);

}  // namespace orlavex::python
