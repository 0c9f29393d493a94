// Messages that echo what the user typed stay short single lines: a long
// argument is clipped, a control character in it escaped.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace orlavex::cli {

// The most characters of one argument a message shows.
inline constexpr std::size_t echoed_characters = 40;

// TEXT (messages for standard error) with every argument of ARGS longer
// than echoed_characters (other than the name of a file in an existing
// folder) replaced by its first characters and "...", and control
// characters in an argument escaped (app::printable_text).
std::string clip_echoed_arguments(std::string_view text, std::span<const std::string> args);

}  // namespace orlavex::cli
