#include "app/texts.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace orlavex::app {

std::string shortest_text(double x) {
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x);
    if (error != std::errc{}) return "?";
    return std::string(buffer.data(), end);
}

namespace {

// A byte that continues a UTF-8 character rather than starting one.
bool continues_character(char c) {
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

}  // namespace

std::size_t character_count(std::string_view text) {
    return static_cast<std::size_t>(
        std::ranges::count_if(text, [](char c) { return !continues_character(c); }));
}

std::string_view first_characters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t seen = 0; end < text.size(); ++end) {
        if (!continues_character(text[end]) && seen++ == count) break;
    }
    return text.substr(0, end);
}

namespace {

void add_hex(std::string& out, std::string_view prefix, unsigned value, int digits) {
    constexpr std::string_view hex = "0123456789abcdef";
    out += prefix;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += hex[(value >> shift) & 0xf];
}

// The length of the UTF-8 character TEXT starts with and the character, or
// a length of 0 for a byte that starts none.
struct Decoded {
    std::size_t length = 0;
    char32_t character = 0;
};

Decoded decode_utf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(0);
    const std::size_t length = lead >= 0xc2 && lead <= 0xdf   ? 2
                               : lead >= 0xe0 && lead <= 0xef ? 3
                               : lead >= 0xf0 && lead <= 0xf4 ? 4
                                                              : 0;
    if (length == 0 || text.size() < length) return {};
    char32_t c = lead & (0x7f >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xc0) != 0x80) return {};
        c = (c << 6) | (byte(i) & 0x3f);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    if (overlong || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff)) return {};
    return {length, c};
}

// Characters a terminal or a page does not show as themselves: C1 controls
// (some start escape sequences) and those that change the order the text
// around them shows in (embeddings, overrides, isolates), with which a name
// can show reversed.
bool hidden_character(char32_t c) {
    return (c >= 0x80 && c <= 0x9f) || (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string printable_text(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x20 && byte < 0x7f) {
            out += text[i++];
            continue;
        }
        const Decoded decoded = byte < 0x80 ? Decoded{} : decode_utf8(text.substr(i));
        if (decoded.length == 0) {
            add_hex(out, "\\x", byte, 2);
            ++i;
        } else if (hidden_character(decoded.character)) {
            add_hex(out, "\\u", static_cast<unsigned>(decoded.character), 4);
            i += decoded.length;
        } else {
            out.append(text.substr(i, decoded.length));
            i += decoded.length;
        }
    }
    return out;
}

std::string quoted(std::string_view s) {
    // As the driver: no more of a long input than fits a message line.
    constexpr std::size_t shown = 40;
    const std::string_view kept = first_characters(s, shown);
    return "\"" + printable_text(kept) + (kept.size() < s.size() ? "..." : "") + "\"";
}

}  // namespace orlavex::app
