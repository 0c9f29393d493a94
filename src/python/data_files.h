// The planner's data files as Python objects: ENR tables and Touchstone
// S-parameters, their columns as numpy arrays.
#pragma once

#include <pybind11/pybind11.h>

#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"

#include <filesystem>

namespace orlavex::python {

// {"name", "header": {field: value}, "freq_ghz", "enr_db", "enr_unc_db" (or
// None), "reflection": {"on_mag", "on_deg", "off_mag", "off_deg"} (or None)}.
pybind11::dict read_enr(const std::filesystem::path& path);

// {"name", "ports", "format" ("MA", "DB" or "RI"), "reference_ohms",
// "freq_ghz", "s11", "s21", "s12", "s22" (complex; S21, S12 and S22 are 0 in
// a .s1p)}.
pybind11::dict read_touchstone(const std::filesystem::path& path);

// A str, bytes or os.PathLike: a file to read.
bool is_path(const pybind11::handle& value);

// An ENR table given as columns: (freq_ghz, enr_db) or (freq_ghz, enr_db,
// enr_unc_db), each array-like. Raises ValueError for columns that do not
// make a valid table.
datafiles::EnrTable enr_table_of(const pybind11::handle& columns);

// S-parameters given as an object with `f` (Hz) and `s` (complex, N x 2 x 2
// or N x 1 x 1), as scikit-rf's Network has, or as (freq_ghz, s) with s of
// those shapes or N values of S11 alone.
datafiles::Touchstone touchstone_of(const pybind11::handle& network);

}  // namespace orlavex::python
