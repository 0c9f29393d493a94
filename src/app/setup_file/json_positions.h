// JSON text read into a value together with the line each part of it
// starts on, so that a message about a value can name its line.
// nlohmann-json keeps no positions in its values. Memory stays a small
// multiple of the text's size however the text is made: a line number per
// key and element, no path text kept, and a limit on the nesting.
#pragma once

#include "app/json.h"

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::app {

// Deeper than any set-up file (four levels) by far; a text nested deeper is
// refused before it is read further.
inline constexpr std::size_t deepest_json_nesting = 64;

struct PositionedJson {
    Json value;
    // The line (from 1) of the whole text, then of every member's key and
    // every array element, in the order the text gives them.
    std::vector<int> lines;
    // The pointer of the first key an object holds twice, if any, and the
    // line of its second appearance.
    std::optional<std::string> duplicate_key;
    int duplicate_line = 0;

    // The line of POINTER, or of the nearest part that holds it.
    int line_of(std::string_view pointer) const;
};

// The pointer to KEY inside the value at PARENT: "~" and "/" escaped.
std::string member_pointer(const std::string& parent, std::string_view key);

struct JsonSyntaxError {
    int line = 1;
    std::string message;      // the parser's, without its position
    bool over_limit = false;  // JSON, but beyond the nesting or JsonReading's limit
    // A NUL byte, which JSON text never holds: its column on LINE (from 1,
    // in characters); else 0. MESSAGE then names it and the column.
    int nul_column = 0;
};

// How a text is read. An array of strings that is the value of a member
// named JOINED_KEY (a set-up file's embedded "lines") is kept as its
// strings joined by LF, a byte per byte instead of a value and a string per
// line: a joined_lines value. Beside those strings the text holds at most
// MOST_VALUES keys and values.
struct JsonReading {
    std::string_view joined_key;
    std::size_t most_values = std::numeric_limits<std::size_t>::max();
};

// TEXT read; a text that is not JSON, or goes beyond the limits, gives the
// line and what is wrong (and a null value). Read by JsonScan, and by
// nlohmann-json's parser where the scan leaves the text to it.
PositionedJson parse_positioned(std::string_view text, std::optional<JsonSyntaxError>& error,
                                const JsonReading& reading = {});
// The same by nlohmann-json's parser alone: slower, the same result.
PositionedJson parse_positioned_by_library(std::string_view text,
                                           std::optional<JsonSyntaxError>& error,
                                           const JsonReading& reading = {});

// A joined array of strings: its count, and its strings joined by LF.
bool is_joined_lines(const Json& value);
std::size_t joined_line_count(const Json& value);
std::string joined_text(const Json& value);

}  // namespace orlavex::app
