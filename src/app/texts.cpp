#include "app/texts.h"

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

std::string quoted(std::string_view s) {
    // As the driver: no more of a long input than fits a message line.
    constexpr std::size_t shown = 40;
    std::string out = "\"";
    for (const char c : s.substr(0, shown)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            std::array<char, 8> hex{};
            std::snprintf(hex.data(), hex.size(), "\\x%02x", byte);
            out += hex.data();
        } else {
            out += c;
        }
    }
    if (s.size() > shown) out += "...";
    return out + "\"";
}

}  // namespace orlavex::app
