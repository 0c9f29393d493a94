// Options whose argument names a file or a model. An empty argument (an
// unset shell variable) names nothing: it is refused rather than the
// command running as if the option had not been given.
#pragma once

#include <CLI/CLI.hpp>

namespace orlavex::cli {

CLI::Validator names_a_file();
CLI::Validator names_a_model();

}  // namespace orlavex::cli
