// Set-up files for Python: load_setup() gives the keywords of sweep() (its
// data files as DataFile objects, which carry their name and bytes), and
// save_setup() writes the set-up those keywords give.
#pragma once

#include "python/sweep_functions.h"

#include <pybind11/pybind11.h>

#include <filesystem>

namespace orlavex::python {

// The class DataFile: an embedded data file, accepted wherever a data
// file's path is.
void define_data_file(pybind11::module_& m);

// {keyword: value} for sweep(**...). Raises ValueError with the same one
// line as orlavex-cli for a bad file, FileNotFoundError for a missing one.
pybind11::dict load_setup(const pybind11::object& path);

// Writes the set-up ARGUMENTS and INPUTS give to PATH, each value as the
// window takes it.
void save_setup(const std::filesystem::path& path, const SweepArguments& arguments,
                const pybind11::kwargs& inputs);

}  // namespace orlavex::python
