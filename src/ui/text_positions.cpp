#include "ui/text_positions.h"

#include <algorithm>

namespace orlavex::ui {

namespace {

bool is_ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

int utf16_position(const std::string& text, int bytes) {
    const int clamped = std::clamp(bytes, 0, static_cast<int>(text.size()));
    if (is_ascii(text)) return clamped;
    return static_cast<int>(QString::fromUtf8(text.data(), clamped).size());
}

int utf8_position(const QString& text, int position) {
    const int clamped = std::clamp(position, 0, static_cast<int>(text.size()));
    return static_cast<int>(text.left(clamped).toUtf8().size());
}

}  // namespace orlavex::ui
