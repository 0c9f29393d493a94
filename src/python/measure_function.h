// orlavex.measure(): a band measured on the bench by the same run as
// `orlavex-cli measure` (calibration, then the DUT), the readings written
// as a readings file and evaluated as evaluate(readings=...) evaluates it.
#pragma once

#include <pybind11/pybind11.h>

namespace orlavex::python {

// The measurement's own arguments; the set-up comes as keywords or a file.
struct MeasureArguments {
    pybind11::object analyzer, profile, source, supply_profile;
    pybind11::object freq, start, stop, points, repeat;
    pybind11::object setup, calibration, save_readings, save_calibration;
    pybind11::object yes, timeout;
};

// The dict evaluate(readings=...) returns for the readings taken. Ctrl+C
// switches the source off and raises KeyboardInterrupt; a fault of the
// bench raises RuntimeError naming where the run stopped and why.
pybind11::dict measure(const MeasureArguments& arguments, const pybind11::kwargs& inputs);

}  // namespace orlavex::python
