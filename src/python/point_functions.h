// The module's single-set-up functions: the window's figures with the GUM
// budget and the Monte Carlo, the budget alone, the Monte Carlo with its
// samples, and the evaluation of four measured levels. Each starts a window
// model, carries the keyword inputs out on it as orlavex-cli does and
// returns what orlavex-cli --json prints, as Python objects.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/setup.h"
#include "app/results/readings_evaluation.h"

#include <pybind11/pybind11.h>

#include <filesystem>
#include <optional>
#include <vector>

#include <cstddef>
#include <cstdint>

namespace orlavex::python {

// The data files a point reads its known reflections from: None, or as
// sweep() takes them.
struct PointFileArguments {
    pybind11::object enr_table, dut_s2p;
};

// orlavex-cli point: {"inputs", "classic", "gum", "monte_carlo"}; with MC
// false the Monte Carlo is not run and "monte_carlo" is None. FILES give
// the known reflections at the point's frequency.
pybind11::dict point(bool mc, const PointFileArguments& files, const pybind11::kwargs& inputs);

// The "gum" part of point().
pybind11::dict budget(const PointFileArguments& files, const pybind11::kwargs& inputs);

// The "monte_carlo" part of point(); with SAMPLES also "samples", the error
// of every trial in trial order as a numpy array (NaN: invalid trial).
// PROGRESS, unless None, is called as progress(done, total) while it runs.
pybind11::dict monte_carlo(const pybind11::object& trials, const pybind11::object& seed,
                           bool samples, const pybind11::object& progress,
                           const PointFileArguments& files, const pybind11::kwargs& inputs);

// orlavex-cli evaluate: {"inputs", "classic", "exact", "gum"}. A level given
// as None is not entered. With READINGS (a readings file), every frequency
// of the file instead, one array per figure, calibrated by the file
// CALIBRATION unless None. FILES, as point() takes them, give at each
// frequency the ENR and its uncertainty (the ENR table) and the DUT's
// matches (its S-parameters).
pybind11::dict evaluate(const pybind11::object& cal_on, const pybind11::object& cal_off,
                        const pybind11::object& meas_on, const pybind11::object& meas_off,
                        const pybind11::object& readings, const pybind11::object& calibration,
                        const PointFileArguments& files, const pybind11::kwargs& inputs);

// The figures of every measured point, one numpy array each, and the notes
// as a list per point: what evaluate() returns for a readings file.
pybind11::dict measured_columns(const std::vector<app::MeasuredPoint>& points);

// The readings file READINGS evaluated with SETUP (in manual mode),
// calibrated by the file CALIBRATION when given, with FILES' values at each
// frequency, as evaluate() returns it.
pybind11::dict evaluate_readings_at(app::Setup setup, const app::ApplyOptions& options,
                                    const std::filesystem::path& readings,
                                    const std::optional<std::filesystem::path>& calibration,
                                    const app::EvaluationFiles& files = {});

// Seconds the C++ side of point(mc=False) takes for CALLS calls: starting
// the window, entering the inputs, the budget and the JSON document, without
// the Python objects. For the benchmark of the binding's own cost.
double point_seconds_in_cpp(std::size_t calls, const pybind11::kwargs& inputs);

}  // namespace orlavex::python
