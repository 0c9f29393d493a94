// JSON text read into a value together with the line each part of it
// starts on, by JSON pointer, so that a message about a value can name its
// line. nlohmann-json keeps no positions in its values.
#pragma once

#include "app/json.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

struct PositionedJson {
    Json value;
    // The line (from 1) of every member's key and every array element, by
    // its JSON pointer ("" for the whole text).
    std::map<std::string, int> lines;
    // The pointer of the first key an object holds twice, if any.
    std::optional<std::string> duplicate_key;

    // The line of POINTER, or of the nearest part that holds it.
    int line_of(std::string pointer) const;
};

// The pointer to KEY inside the value at PARENT: "~" and "/" escaped.
std::string member_pointer(const std::string& parent, std::string_view key);

struct JsonSyntaxError {
    int line;
    std::string message;  // the parser's, without its position
};

// TEXT read; a text that is not JSON gives the line and what is wrong.
PositionedJson parse_positioned(std::string_view text, std::optional<JsonSyntaxError>& error);

}  // namespace orlavex::app
