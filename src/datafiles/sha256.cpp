#include "datafiles/sha256.h"

#include <nettle/sha2.h>

#include <array>
#include <cstdint>

namespace orlavex::datafiles {

std::string sha256_hex(std::string_view bytes) {
    sha256_ctx context{};
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data()));
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());

    constexpr std::string_view hex_digits = "0123456789abcdef";
    std::string hex;
    hex.reserve(2 * digest.size());
    for (std::uint8_t byte : digest) {
        hex += hex_digits[byte >> 4];
        hex += hex_digits[byte & 0x0f];
    }
    return hex;
}

}  // namespace orlavex::datafiles
