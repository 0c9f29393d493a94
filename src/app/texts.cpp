#include "app/texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

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

std::string quoted(std::string_view s) {
    // As the driver: no more of a long input than fits a message line.
    constexpr std::size_t shown = 40;
    const std::string_view kept = first_characters(s, shown);
    std::string out = "\"";
    for (const char c : kept) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02x", byte);
            out += hex.data();
        } else {
            out += c;
        }
    }
    if (kept.size() < s.size()) out += "...";
    return out + "\"";
}

}  // namespace orlavex::app
