// Numbers and names as the application's messages write them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavex::app {

// The shortest decimal text that reads back as X ("0.30000000000000004").
std::string shortest_text(double x);

// The characters of TEXT (UTF-8), and TEXT up to its first COUNT of them:
// a message that clips an input never cuts a character in two.
std::size_t character_count(std::string_view text);
std::string_view first_characters(std::string_view text, std::size_t count);

// TEXT as a message or a page may show it, whatever a name in it holds: a
// control character (a NUL byte, a line break) and a byte that is no UTF-8
// as \xHH, so that a message stays one whole line; a C1 control and a
// character that reorders the text around it (a right-to-left override,
// with which a name shows reversed) as \uHHHH. Every name a message or a
// report echoes goes through it.
std::string printable_text(std::string_view text);

// S in double quotes, as printable_text shows it; past 40 characters
// clipped, with "..." to mark it.
std::string quoted(std::string_view s);

}  // namespace orlavex::app
