// Text as a man page's roff source takes it.
#pragma once

#include <string>
#include <string_view>

namespace orlavex::cli {

// TEXT for a line of running text: a backslash as \e, a hyphen that
// belongs to an option name ("--dut-nf") or stands for a minus ("-20",
// "a - b") as \-, a hyphen inside a word ("set-up") kept; a line that
// would start a request (".", "'") guarded with \&.
std::string roff_text(std::string_view text);

// An option's tag: the flag in bold and its argument in italics.
std::string roff_tag(std::string_view flag, std::string_view argument);

// A choice's tag: the flag and each of its names in bold, "|" between.
std::string roff_choice_tag(std::string_view flag, std::string_view names_with_bars);

}  // namespace orlavex::cli
