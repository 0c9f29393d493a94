// `orlavex-cli catalogue analyzers|noise-sources`: the built-in models with
// their frequency limits, preamplifiers and nominal values.
#pragma once

#include <nlohmann/json.hpp>

#include <ostream>

namespace orlavex::cli {

nlohmann::ordered_json analyzers_json();
nlohmann::ordered_json noise_sources_json();

void print_analyzers(std::ostream& out);
void print_noise_sources(std::ostream& out);

}  // namespace orlavex::cli
