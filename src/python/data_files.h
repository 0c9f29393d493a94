// The planner's data files as Python objects: ENR tables and Touchstone
// S-parameters, their columns as numpy arrays.
#pragma once

#include <pybind11/pybind11.h>

#include <filesystem>

namespace orlavex::python {

// {"name", "header": {field: value}, "freq_hz", "enr_db", "enr_unc_db" (or
// None), "reflection": {"on_mag", "on_deg", "off_mag", "off_deg"} (or None)}.
pybind11::dict read_enr(const std::filesystem::path& path);

// {"name", "ports", "format" ("MA", "DB" or "RI"), "reference_ohms",
// "freq_hz", "s11", "s21", "s12", "s22" (complex; S21, S12 and S22 are 0 in
// a .s1p)}.
pybind11::dict read_touchstone(const std::filesystem::path& path);

}  // namespace orlavex::python
