#include "python/sweep_functions.h"

#include "app/inputs/model_inputs.h"
#include "app/inputs/sweep_request.h"
#include "app/results/advice_json.h"
#include "app/results/sweep_columns.h"
#include "planning/advice.h"
#include "planning/swept_input.h"
#include "python/data_files.h"
#include "python/interruptible.h"
#include "python/keyword_inputs.h"
#include "python/text_array.h"
#include "python/to_python.h"

#include <pybind11/numpy.h>
#include <pybind11/stl/filesystem.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace orlavex::python {

namespace py = pybind11;

namespace {

planning::SweptInput swept_input(const py::object& over) {
    std::string name = utf8_text(over, "over");
    std::ranges::replace(name, '_', '-');
    if (const planning::SweptInputInfo* info = planning::find_swept_input(name)) return info->input;
    std::string names;
    for (const planning::SweptInputInfo& i : planning::swept_inputs())
        names += (names.empty() ? "" : ",") + std::string(i.name);
    for (const planning::SweptInputInfo& i : planning::model_swept_inputs())
        names += "," + std::string(i.name);
    refuse("over: " + name + " not in {" + names + "}");
}

std::size_t point_count(const py::object& points) {
    const std::string range =
        std::to_string(app::fewest_points) + " to " + std::to_string(app::most_points);
    if (PyBool_Check(points.ptr()) || !PyIndex_Check(points.ptr())) {
        refuse("points: must be a whole number from " + range);
    }
    const py::int_ n = points.cast<py::int_>();
    const long long count = PyLong_AsLongLong(n.ptr());
    if (PyErr_Occurred() || count < static_cast<long long>(app::fewest_points) ||
        count > static_cast<long long>(app::most_points)) {
        PyErr_Clear();
        refuse("points: Value " + py::repr(n).cast<std::string>() + " not in range " + range);
    }
    return static_cast<std::size_t>(count);
}

// A data file given as a DataFile or as columns: carried whole, as a set-up
// file embeds it; None for a path or nothing.
std::optional<app::EmbeddedFile> data_in_memory(
    const py::object& value, app::EmbeddedFile (*from_columns)(const py::handle&)) {
    if (py::isinstance<app::EmbeddedFile>(value)) return value.cast<app::EmbeddedFile>();
    if (value.is_none() || is_path(value)) return std::nullopt;
    return from_columns(value);
}

}  // namespace

void read_files(app::SweepRequest& r, const SweepArguments& a) {
    if (auto file = data_in_memory(a.enr_table, enr_file_of)) {
        r.enr_table = in_memory([&] { return app::enr_table_of(*file); });
        r.embedded[app::slot_index("enr_table")] = std::move(file);
    } else if (!a.enr_table.is_none()) {
        r.enr_table_path = path_value(a.enr_table, "enr_table");
    }
    if (auto file = data_in_memory(a.dut_s2p, touchstone_file_of)) {
        r.dut_sparameters = in_memory([&] { return app::touchstone_of(*file); });
        r.embedded[app::slot_index("dut_s2p")] = std::move(file);
    } else if (!a.dut_s2p.is_none()) {
        r.dut_s2p_path = path_value(a.dut_s2p, "dut_s2p");
    }
}

app::SweepRequest request_of(const SweepArguments& a, const py::kwargs& inputs,
                             app::ApplyOptions& options) {
    KeywordInputs k = read_keywords(inputs, app::Scope::prediction);
    // A sweep's Monte Carlo has its own default number of trials.
    if (!inputs.contains("trials") || inputs["trials"].is_none())
        k.setup.model.trials = app::sweep_trials;
    options = k.options();
    app::SweepRequest r;
    r.setup = std::move(k.setup);
    r.embedded = std::move(k.embedded);
    r.over = swept_input(a.over);
    r.from = a.start;
    r.to = a.stop;
    r.points = point_count(a.points);
    r.log = a.log;
    read_files(r, a);
    r.monte_carlo = a.mc;
    const std::string form = utf8_text(a.match_form, "match_form");
    if (form != "vswr" && form != "rl") refuse("match_form: " + form + " not in {vswr,rl}");
    r.match_form = form == "rl" ? planning::MatchForm::return_loss : planning::MatchForm::vswr;
    if (a.fixed_if && a.fixed_lo) refuse("fixed_if excludes fixed_lo");
    for (const auto& [given, name] :
         {std::pair{a.fixed_if, "fixed_if"}, {a.fixed_lo, "fixed_lo"}}) {
        if (given && !r.setup.freq_conv) refuse(std::string(name) + " requires freq_conv");
    }
    r.fixed_if = a.fixed_if;
    r.fixed_lo = a.fixed_lo;
    return r;
}

namespace {

// Each note as a UserWarning at the caller's line (level 1 would be the
// module's wrapper around this function).
void warn(const std::vector<std::string>& notes) {
    for (const std::string& note : notes) {
        if (PyErr_WarnEx(PyExc_UserWarning, note.c_str(), 2) != 0) throw py::error_already_set();
    }
}

struct Swept {
    planning::SweepResult result;
    std::vector<std::string> notes;
};

// The sweep on its own thread: Ctrl+C stops it after the points under way.
Swept run_interruptible(const app::SweepRequest& request, const app::ApplyOptions& options,
                        const py::object& report) {
    auto progress = std::make_shared<planning::SweepProgress>();
    std::function<void()> tick;
    if (report && !report.is_none()) {
        tick = [progress, report, total = request.points] { report(progress->done.load(), total); };
    }
    Swept swept = interruptible<Swept>(
        [request, options, progress] {
            Swept s;
            const planning::Sweep sweep = app::make_sweep(request, options, s.notes);
            s.result = planning::run_sweep(sweep, *progress);
            return s;
        },
        [progress] { progress->cancel = true; }, tick);
    if (tick) report(request.points, request.points);
    warn(swept.notes);
    return swept;
}

py::array_t<double> number_column(const app::SweepColumn& column,
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

py::object text_column(const app::SweepColumn& column,
                       const std::vector<planning::SweepPoint>& points) {
    std::vector<std::string> cells(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        cells[i] = std::move(column.cell(points[i]).text);
    if (std::optional<py::array> array = text_array(cells)) return std::move(*array);
    // Python's own strings tell what is wrong with a text.
    py::list texts(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        texts[i] = py::str(cells[i]);
    return py::module_::import("numpy").attr("array")(texts, py::arg("dtype") = "str");
}

}  // namespace

py::dict sweep(const SweepArguments& arguments, const py::kwargs& inputs) {
    app::ApplyOptions options;
    const app::SweepRequest request = request_of(arguments, inputs, options);
    const Swept swept = run_interruptible(request, options, arguments.progress);
    const planning::SweepResult& result = swept.result;
    py::dict out;
    for (const app::SweepColumn& column : app::sweep_columns(result, request.monte_carlo)) {
        const bool text = !result.points.empty() && column.cell(result.points.front()).is_text;
        out[py::str(column.name)] =
            text ? text_column(column, result.points) : number_column(column, result.points);
    }
    return out;
}

py::object advise(const SweepArguments& arguments, const py::kwargs& inputs) {
    app::ApplyOptions options;
    const app::SweepRequest request = request_of(arguments, inputs, options);
    struct Advised {
        planning::Advice advice;
        std::vector<std::string> notes;
    };
    // On its own thread, as a sweep: Ctrl+C stops it after the points under
    // way. Its total (candidates times points) is known once it has started.
    auto progress = std::make_shared<planning::SweepProgress>();
    std::function<void()> tick;
    if (!arguments.progress.is_none()) {
        tick = [progress, report = arguments.progress] {
            if (const std::size_t total = progress->total.load())
                report(progress->done.load(), total);
        };
    }
    const Advised advised = interruptible<Advised>(
        [request, options, progress] {
            Advised a;
            a.advice = planning::advise(app::make_sweep(request, options, a.notes), *progress);
            return a;
        },
        [progress] { progress->cancel = true; }, tick);
    if (tick) arguments.progress(progress->total.load(), progress->total.load());
    warn(advised.notes);
    return to_python(app::advice_json(advised.advice));
}

}  // namespace orlavex::python
