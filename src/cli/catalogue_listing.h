// `orlavex-cli catalogue analyzers|noise-sources`: the built-in models with
// their frequency limits, preamplifiers and nominal values.
#pragma once

#include <ostream>

namespace orlavex::cli {

void print_analyzers(std::ostream& out);
void print_noise_sources(std::ostream& out);

}  // namespace orlavex::cli
