// An advice ranking as JSON: {"ranking": [...]}, best first.
#pragma once

#include "app/json.h"
#include "planning/advice.h"

namespace orlavex::app {

Json advice_json(const planning::Advice& advice);

}  // namespace orlavex::app
