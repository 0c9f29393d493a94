// orlavex.Instrument: a SCPI instrument for scripts, through the same
// transports and error-queue checks as orlavex-cli measure.
#pragma once

#include <pybind11/pybind11.h>

namespace orlavex::python {

void define_instrument(pybind11::module_& m);

}  // namespace orlavex::python
