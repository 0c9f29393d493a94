// Numbers for the JSON output: a value the calculation could not give (NaN,
// infinite, absent) is null.
#pragma once

#include <nlohmann/json.hpp>

#include <cmath>
#include <optional>

namespace orlavex::app {

using Json = nlohmann::ordered_json;

inline Json number_or_null(double x) {
    return std::isfinite(x) ? Json(x) : Json(nullptr);
}

inline Json number_or_null(const std::optional<double>& x) {
    return x ? number_or_null(*x) : Json(nullptr);
}

}  // namespace orlavex::app
