// The command line of orlavex-cli: parses the arguments, runs the command
// and writes its output. Bad input gives one line on ERR and status 2.
#pragma once

#include <ostream>

namespace orlavex::cli {

inline constexpr int exit_bad_input = 2;

// What a run says when memory runs out (status exit_bad_input).
inline constexpr const char* out_of_memory_message =
    "orlavex-cli: out of memory: ask for fewer --trials or --points";

// What a run says when its standard output cannot be written (status
// exit_bad_input).
inline constexpr const char* unwritable_output_message =
    "orlavex-cli: cannot write to standard output (a full disk or a closed pipe?): the output is "
    "incomplete";

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace orlavex::cli
