// The command line of orlavex-cli: parses the arguments, runs the command
// and writes its output. Bad input gives one line on ERR and status 2.
#pragma once

#include <ostream>

namespace orlavex::cli {

inline constexpr int exit_bad_input = 2;

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace orlavex::cli
