// The whole window model as one line of JSON.
#pragma once

#include "engine/calculator.h"

#include <string>

namespace orlavex {

// {"controls": ..., "state": ..., "focus": ..., "popup": ..., "opened": [...],
//  "height": ..., "caption": ..., "dialog": ...}
std::string dump_json(const Calculator& calc);

// S as a JSON string literal (invalid UTF-8 becomes U+FFFD).
std::string json_string(std::string_view s);

}  // namespace orlavex
