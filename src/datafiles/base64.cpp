#include "datafiles/base64.h"

#include <nettle/base64.h>

#include <cstdint>

namespace orlavex::datafiles {

std::string base64_encode(std::string_view bytes) {
    base64_encode_ctx context{};
    base64_encode_init(&context);
    std::string text(BASE64_ENCODE_LENGTH(bytes.size()) + BASE64_ENCODE_FINAL_LENGTH, '\0');
    std::size_t written = base64_encode_update(&context, text.data(), bytes.size(),
                                               reinterpret_cast<const std::uint8_t*>(bytes.data()));
    written += base64_encode_final(&context, text.data() + written);
    text.resize(written);
    return text;
}

std::optional<std::string> base64_decode(std::string_view text) {
    base64_decode_ctx context{};
    base64_decode_init(&context);
    std::string bytes(BASE64_DECODE_LENGTH(text.size()), '\0');
    std::size_t length = bytes.size();
    const bool read =
        base64_decode_update(&context, &length, reinterpret_cast<std::uint8_t*>(bytes.data()),
                             text.size(), text.data()) == 1;
    if (!read || base64_decode_final(&context) != 1) return std::nullopt;
    bytes.resize(length);
    return bytes;
}

}  // namespace orlavex::datafiles
