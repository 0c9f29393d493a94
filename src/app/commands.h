// The commands every front-end offers, written once: the command line's
// subcommands and its "give a command" message come from these rows.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace orlavex::app {

struct Command {
    std::string_view name;
    std::string_view summary;
};

inline constexpr std::array commands{
    Command{"point", "predict a measurement: the window's figures, GUM budget, Monte Carlo"},
    Command{"evaluate", "evaluate four measured levels, classic (as the window) and exact"},
    Command{"sweep", "evaluate the set-up across a range of one input: table, CSV, JSON, plot"},
    Command{"advise", "rank the noise sources and preamplifier choices across a frequency band"},
    Command{"report", "write a measurement-plan report of a sweep: HTML or PDF"},
    Command{"catalogue", "list the built-in instrument models"},
};

// "point, evaluate, sweep, advise, report or catalogue"
std::string command_list();

}  // namespace orlavex::app
