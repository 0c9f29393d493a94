// nlohmann::json values as Python objects, built directly (no JSON text in
// between): objects become dicts in their key order, arrays lists, null None.
#pragma once

#include <pybind11/pybind11.h>
#include <nlohmann/json.hpp>

namespace orlavex::python {

pybind11::object to_python(const nlohmann::ordered_json& value);

}  // namespace orlavex::python
