// The module's functions as Python sees them: real signatures with every
// input by name and its default, generated from the table of inputs. The
// same text, with "..." bodies, is the module's stub (orlavex.pyi).
#pragma once

#include <string>

namespace orlavex::python {

// Python source defining point, budget, monte_carlo, evaluate, sweep and
// advise, each calling the module's private function of the same name
// (_point, ...) with its arguments.
std::string wrapper_source();

// The stub: every function's signature with its types.
std::string stub_source();

}  // namespace orlavex::python
