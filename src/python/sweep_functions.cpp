#include "python/sweep_functions.h"

#include "cli/advise_command.h"
#include "cli/sweep_columns.h"
#include "cli/sweep_request.h"
#include "planning/advice.h"
#include "planning/swept_input.h"
#include "python/keyword_inputs.h"
#include "python/started_window.h"
#include "python/to_python.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace orlavex::python {

namespace py = pybind11;

namespace {

[[noreturn]] void refuse(std::string message) {
    throw py::value_error(std::move(message));
}

std::string path_text(const py::object& path) {
    if (path.is_none()) return {};
    return py::str(py::module_::import("os").attr("fspath")(path)).cast<std::string>();
}

std::string over_name(const py::object& over) {
    std::string name = py::str(over).cast<std::string>();
    std::ranges::replace(name, '_', '-');
    if (planning::find_swept_input(name) == nullptr) {
        std::string names;
        for (const planning::SweptInputInfo& i : planning::swept_inputs())
            names += (names.empty() ? "" : ",") + std::string(i.name);
        refuse("--over: " + name + " not in {" + names + "}");
    }
    return name;
}

std::size_t point_count(const py::object& points) {
    constexpr std::size_t fewest = 2, most = 100'000;
    if (PyBool_Check(points.ptr()) || !PyIndex_Check(points.ptr())) {
        refuse("--points: must be a whole number from " + std::to_string(fewest) + " to " +
               std::to_string(most));
    }
    const py::int_ n = points.cast<py::int_>();
    const long long count = PyLong_AsLongLong(n.ptr());
    if (PyErr_Occurred() || count < static_cast<long long>(fewest) ||
        count > static_cast<long long>(most)) {
        PyErr_Clear();
        refuse("--points: Value " + py::repr(n).cast<std::string>() + " not in range " +
               std::to_string(fewest) + " to " + std::to_string(most));
    }
    return static_cast<std::size_t>(count);
}

cli::SweepRequest request_of(const SweepArguments& a, const py::kwargs& inputs) {
    KeywordInputs k = read_keywords(inputs, Command::point);
    // A sweep's Monte Carlo has its own default number of trials.
    if (!inputs.contains("trials")) k.model.trials = cli::sweep_trials;
    cli::SweepRequest r;
    r.inputs = std::move(k.window);
    r.model = k.model;
    r.over = over_name(a.over);
    r.from = a.start;
    r.to = a.stop;
    r.points = point_count(a.points);
    r.log = a.log;
    r.enr_table = path_text(a.enr_table);
    r.dut_s2p = path_text(a.dut_s2p);
    r.monte_carlo = a.mc;
    r.match_form = py::str(a.match_form).cast<std::string>();
    if (r.match_form != "vswr" && r.match_form != "rl") {
        refuse("--match-form: " + r.match_form + " not in {vswr,rl}");
    }
    if (a.fixed_if && a.fixed_lo) refuse("--fixed-if excludes --fixed-lo");
    for (const auto& [given, name] :
         {std::pair{a.fixed_if, "--fixed-if"}, {a.fixed_lo, "--fixed-lo"}}) {
        if (given && !r.inputs.freq_conv) refuse(std::string(name) + " requires --freq-conv");
    }
    r.fixed_if = a.fixed_if;
    r.fixed_lo = a.fixed_lo;
    return r;
}

py::array_t<double> number_column(const cli::SweepColumn& column,
                                  const std::vector<planning::SweepPoint>& points) {
    py::array_t<double> array(static_cast<py::ssize_t>(points.size()));
    auto out = array.mutable_unchecked<1>();
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<double> x = column.cell(points[i]).number;
        out(static_cast<py::ssize_t>(i)) =
            x && std::isfinite(*x) ? *x : std::numeric_limits<double>::quiet_NaN();
    }
    return array;
}

py::object text_column(const cli::SweepColumn& column,
                       const std::vector<planning::SweepPoint>& points) {
    py::list texts(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        texts[i] = py::str(column.cell(points[i]).text);
    return py::module_::import("numpy").attr("array")(texts, py::arg("dtype") = "str");
}

}  // namespace

py::dict sweep(const SweepArguments& arguments, const py::kwargs& inputs) {
    const cli::SweepRequest request = request_of(arguments, inputs);
    planning::SweepResult result;
    {
        py::gil_scoped_release unlocked;
        result = planning::run_sweep(cli::make_sweep(started_window(), request));
    }
    py::dict out;
    for (const cli::SweepColumn& column : cli::sweep_columns(result, request.monte_carlo)) {
        const bool text = !result.points.empty() && column.cell(result.points.front()).is_text;
        out[py::str(column.name)] =
            text ? text_column(column, result.points) : number_column(column, result.points);
    }
    return out;
}

py::object advise(const SweepArguments& arguments, const py::kwargs& inputs) {
    const cli::SweepRequest request = request_of(arguments, inputs);
    planning::Advice advice;
    {
        py::gil_scoped_release unlocked;
        advice = planning::advise(cli::make_sweep(started_window(), request));
    }
    return to_python(cli::advice_json(advice));
}

}  // namespace orlavex::python
