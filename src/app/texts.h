// Numbers and names as the application's messages write them.
#pragma once

#include <string>
#include <string_view>

namespace orlavex::app {

// The shortest decimal text that reads back as X ("0.30000000000000004").
std::string shortest_text(double x);

// S in double quotes, a control character (a NUL byte, a line break) as
// \xHH so that the message stays one whole line; past 40 characters
// clipped, with "..." to mark it.
std::string quoted(std::string_view s);

}  // namespace orlavex::app
