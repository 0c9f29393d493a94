// The set-up the window computed with, as the readable tables show it.
#pragma once

#include "app/results/setup_echo.h"

#include <ostream>

namespace orlavex::cli {

void print_setup(std::ostream& out, const app::UsedSetup& used);

// The notes on values the window rounded or bounded, one line each.
void print_notes(std::ostream& out, const std::vector<std::string>& notes);

}  // namespace orlavex::cli
