#include "ui/command_line.h"

namespace orlavex::ui {

namespace {

constexpr std::string_view usage =
    "usage: orlavex [--exit-after-show] [QT-OPTIONS]\n"
    "       orlavex --help | --version\n"
    "\n"
    "Opens the Orlavex noise-figure calculator window; its Tools menu opens the\n"
    "measurement planner.\n"
    "\n"
    "  --exit-after-show  end as soon as the window has been shown and painted\n"
    "                     once (for measuring start-up)\n"
    "  --help             print this text and end\n"
    "  --version          print the version and end\n"
    "\n"
    "Qt's own options apply too, for example -platform offscreen; the\n"
    "environment variable QT_SCALE_FACTOR scales the windows.\n";

}  // namespace

std::optional<EarlyAnswer> answer_before_window(std::span<char* const> arguments,
                                                std::string_view version) {
    for (const char* argument : arguments) {
        const std::string_view option = argument;
        if (option == "--help" || option == "-h") return EarlyAnswer{std::string(usage), 0};
        if (option == "--version") {
            return EarlyAnswer{"orlavex " + std::string(version) + "\n", 0};
        }
    }
    return std::nullopt;
}

}  // namespace orlavex::ui
