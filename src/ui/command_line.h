// The options the program answers before it opens a window: --help and
// --version print and end the program without needing a display.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orlavex::ui {

struct EarlyAnswer {
    std::string text;  // for standard output
    int exit_status = 0;
};

// What the program prints and ends with for ARGUMENTS (argv without the
// program's name), or nothing when the window is to open. VERSION is the
// program's version number.
std::optional<EarlyAnswer> answer_before_window(std::span<char* const> arguments,
                                                std::string_view version);

}  // namespace orlavex::ui
