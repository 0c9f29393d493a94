// The window model's texts (UTF-8) as Qt strings.
#pragma once

#include <QString>

#include <string_view>

namespace orlavex::ui {

inline QString qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace orlavex::ui
