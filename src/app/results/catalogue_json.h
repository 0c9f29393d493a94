// The built-in instrument models as JSON: their frequency limits,
// preamplifiers and nominal values.
#pragma once

#include "app/json.h"

namespace orlavex::app {

Json analyzers_json();
Json noise_sources_json();

}  // namespace orlavex::app
