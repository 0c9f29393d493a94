#include "python/code_points.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace orlavex::python {

namespace {

// The length of the sequence a UTF-8 lead byte starts, 0 for a byte that
// cannot start one.
int sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xc2 && lead <= 0xdf) return 2;
    if (lead >= 0xe0 && lead <= 0xef) return 3;
    if (lead >= 0xf0 && lead <= 0xf4) return 4;
    return 0;
}

// The smallest code point each length may carry: a smaller one is overlong.
constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};

// The code point of the sequence at TEXT[I] and its length; length 0 when it
// is malformed.
std::pair<char32_t, int> decode_one(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = sequence_length(lead);
    if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return {0, 0};
    if (length == 1) return {lead, 1};
    char32_t c = lead & (0x7f >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xc0) != 0x80) return {0, 0};
        c = (c << 6) | (next & 0x3f);
    }
    const bool surrogate = c >= 0xd800 && c <= 0xdfff;
    if (c < smallest[length] || surrogate || c > 0x10ffff) return {0, 0};
    return {c, length};
}

}  // namespace

// Eight bytes at a time: a byte of 0 or of 0x80 and above sets its top bit
// in (w - 0x01..01) | w.
bool plain_ascii(std::string_view text) {
    constexpr std::uint64_t ones = 0x0101010101010101, tops = 0x8080808080808080;
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, text.data() + i, 8);
        if (((w - ones) | w) & tops) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) - 1u >= 0x7fu) return false;
    }
    return true;
}

std::optional<std::size_t> decode_utf8(std::string_view text, char32_t* out) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto [c, length] = decode_one(text, i);
        if (length == 0 || c == 0) return std::nullopt;
        if (out != nullptr) out[count] = c;
        i += static_cast<std::size_t>(length);
    }
    return count;
}

}  // namespace orlavex::python
