// Sweeps and advice for Python: the planning library run on the set-up the
// keyword inputs give, its points as numpy arrays with the CSV's columns.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/sweep_request.h"

#include <pybind11/pybind11.h>

namespace orlavex::python {

// What a sweep or the advice is asked besides the window's inputs, as
// orlavex-cli sweep's options are named.
struct SweepArguments {
    pybind11::object over;  // "freq", "dut-gain" (or "dut_gain"), ...
    double start = 0, stop = 0;
    pybind11::object points;
    bool log = false;
    pybind11::object enr_table, dut_s2p;  // path-like or None
    bool mc = false;
    pybind11::object match_form;  // "vswr" or "rl"
    bool fixed_if = false, fixed_lo = false;
    pybind11::object progress;  // None, or called as progress(done, total) while it runs
};

// The typed request ARGUMENTS and INPUTS give, and how to apply it.
// Raises TypeError or ValueError as sweep() does.
app::SweepRequest request_of(const SweepArguments& arguments, const pybind11::kwargs& inputs,
                             app::ApplyOptions& options);

// The data files A names read into R: a DataFile or columns carried whole,
// a path named.
void read_files(app::SweepRequest& r, const SweepArguments& a);

// {column: numpy array} in the CSV's column order: numbers as float64 (NaN
// where the CSV cell is empty), lamps and notes as str.
pybind11::dict sweep(const SweepArguments& arguments, const pybind11::kwargs& inputs);

// orlavex-cli advise --json: the ranking, best first, as a list of dicts.
pybind11::object advise(const SweepArguments& arguments, const pybind11::kwargs& inputs);

}  // namespace orlavex::python
