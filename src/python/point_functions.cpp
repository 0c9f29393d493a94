#include "python/point_functions.h"

#include "cli/evaluate.h"
#include "cli/point.h"
#include "python/keyword_inputs.h"
#include "python/started_window.h"
#include "python/to_python.h"

#include <pybind11/numpy.h>

#include <chrono>
#include <limits>
#include <ostream>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// A window that has just started, with KEYWORDS carried out on it.
struct EnteredWindow {
    KeywordInputs keywords;
    Calculator calc;
};

void enter(Calculator& calc, const cli::WindowInputs& inputs) {
    if (std::string why = cli::apply_inputs(calc, inputs); !why.empty()) {
        throw py::value_error(why);
    }
}

EnteredWindow entered(const py::dict& kwargs, Command command) {
    EnteredWindow w{read_keywords(kwargs, command), started_window()};
    enter(w.calc, w.keywords.window);
    return w;
}

// The budget alone: the point without its Monte Carlo.
cli::PointResult without_monte_carlo(const Calculator& calc, cli::ModelOptions model) {
    model.trials = 0;
    py::gil_scoped_release unlocked;
    return cli::compute_point(calc, model);
}

}  // namespace

py::dict point(bool mc, const py::kwargs& inputs) {
    const EnteredWindow w = entered(inputs, Command::point);
    cli::PointResult result;
    if (mc) {
        py::gil_scoped_release unlocked;
        result = cli::compute_point(w.calc, w.keywords.model);
    } else {
        result = without_monte_carlo(w.calc, w.keywords.model);
    }
    cli::Json json = cli::point_json(w.calc, w.keywords.window, result);
    if (!mc) json["monte_carlo"] = nullptr;
    return to_python(json);
}

py::dict budget(const py::kwargs& inputs) {
    const EnteredWindow w = entered(inputs, Command::point);
    const cli::PointResult result = without_monte_carlo(w.calc, w.keywords.model);
    return to_python(cli::point_json(w.calc, w.keywords.window, result)["gum"]);
}

py::dict monte_carlo(const py::object& trials, const py::object& seed, bool samples,
                     const py::kwargs& inputs) {
    py::dict keywords(inputs);
    keywords["trials"] = trials;
    keywords["seed"] = seed;
    const EnteredWindow w = entered(keywords, Command::point);
    cli::ModelOptions model = w.keywords.model;
    model.keep_samples = samples;
    cli::PointResult result;
    {
        py::gil_scoped_release unlocked;
        result = cli::compute_point(w.calc, model);
    }
    py::dict out = to_python(cli::point_json(w.calc, w.keywords.window, result)["monte_carlo"]);
    if (samples) {
        // The array owns the samples: moved into a capsule, not copied.
        auto* kept = new std::vector<double>(std::move(result.monte_carlo.samples));
        py::capsule owner(kept, [](void* p) { delete static_cast<std::vector<double>*>(p); });
        out["samples"] = py::array_t<double>(kept->size(), kept->data(), owner);
    }
    return out;
}

py::dict evaluate(const py::object& cal_on, const py::object& cal_off, const py::object& meas_on,
                  const py::object& meas_off, const py::kwargs& inputs) {
    py::dict keywords;
    const std::pair<const char*, const py::object&> levels[] = {
        {"cal_on", cal_on}, {"cal_off", cal_off}, {"meas_on", meas_on}, {"meas_off", meas_off}};
    for (const auto& [name, value] : levels) {
        if (!value.is_none()) keywords[name] = value;
    }
    for (const auto& [key, value] : inputs) {
        keywords[key] = value;
    }
    KeywordInputs k = read_keywords(keywords, Command::evaluate);
    k.window.manual = true;
    for (const char* required : {"--meas-on", "--meas-off"}) {
        if (k.window.entry(required) == nullptr) {
            throw py::value_error(std::string(required) + " is required");
        }
    }
    // The command's own checks and entry; its table goes nowhere.
    Calculator calc = started_window();
    std::ostream nowhere(nullptr);
    if (std::string why = cli::run_evaluate(calc, k.window, false, nowhere); !why.empty()) {
        throw py::value_error(why);
    }
    return to_python(cli::evaluate_json(calc, k.window, cli::exact_evaluation(calc)));
}

double point_seconds_in_cpp(std::size_t calls, const py::kwargs& inputs) {
    const KeywordInputs k = read_keywords(inputs, Command::point);
    cli::ModelOptions model = k.model;
    model.trials = 0;
    py::gil_scoped_release unlocked;
    const auto start = std::chrono::steady_clock::now();
    std::size_t keys = 0;
    for (std::size_t i = 0; i < calls; ++i) {
        Calculator calc = started_window();
        if (!cli::apply_inputs(calc, k.window).empty()) break;
        const cli::PointResult result = cli::compute_point(calc, model);
        keys += cli::point_json(calc, k.window, result).size();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // Every call builds the whole document; a short count means refused inputs.
    if (keys != 4 * calls) return std::numeric_limits<double>::quiet_NaN();
    return elapsed.count();
}

}  // namespace orlavex::python
