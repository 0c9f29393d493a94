#include "python/measure_function.h"

#include "app/inputs/measure_frequencies.h"
#include "app/setup_file/setup_file.h"
#include "app/setup_file/setup_overlay.h"
#include "instruments/measurement_run.h"
#include "python/data_files.h"
#include "python/keyword_inputs.h"
#include "python/measure_control.h"
#include "python/point_functions.h"

#include <unistd.h>
#include <cmath>
#include <filesystem>
#include <future>
#include <optional>
#include <thread>

namespace orlavex::python {

namespace py = pybind11;

namespace {

namespace fs = std::filesystem;
using namespace instruments;

std::size_t whole_value(const py::handle& value, std::string_view keyword, std::size_t most) {
    const double x = number_value(value, keyword);
    if (!(x >= 1 && x <= static_cast<double>(most)) || x != std::floor(x))
        refuse(std::string(keyword) + ": a whole number from 1 to " + std::to_string(most));
    return static_cast<std::size_t>(x);
}

std::string path_or(const py::handle& value, std::string_view keyword) {
    return value.is_none() ? std::string() : path_value(value, std::string(keyword)).string();
}

// The data files of a set-up file the readings are evaluated with.
struct SetupTables {
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut_sparameters;
};

// The set-up the readings are evaluated with: the keywords, laid over the
// file SETUP when one is given, whose data files go into TABLES.
app::SweepRequest measured_setup(const py::object& setup, const py::kwargs& inputs, bool& strict,
                                 SetupTables& tables) {
    const KeywordInputs k = read_keywords(inputs, app::Scope::levels);
    strict = k.strict;
    app::SweepRequest command;
    command.setup = k.setup;
    if (setup.is_none()) return command;
    app::GivenInputs given;
    for (const auto& [key, value] : inputs)
        if (!value.is_none()) given.insert(py::str(key).cast<std::string>());
    try {
        app::SweepRequest file = app::read_setup_file(path_value(setup, "setup"));
        const std::string why = app::overlay(file, command, k.bench, given, app::Naming::keyword);
        if (!why.empty()) refuse(why);
        tables.enr_table = app::request_enr_table(file);
        tables.dut_sparameters = app::request_dut_sparameters(file);
        return file;
    } catch (const app::SetupFileError& e) {
        refuse(e.what());
    }
}

std::vector<double> band(const MeasureArguments& a) {
    if (!a.freq.is_none()) {
        if (!a.start.is_none() || !a.stop.is_none() || !a.points.is_none())
            refuse("freq: give one frequency, or start, stop and points, not both");
        const double f = number_value(a.freq, "freq");
        if (const std::string why = app::band_refusal(f, f, 1, "freq", "freq", "points");
            !why.empty())
            refuse("freq: a frequency above 0 GHz");
        return app::measure_frequencies(f, f, 1);
    }
    if (a.start.is_none() || a.stop.is_none() || a.points.is_none())
        refuse("give freq, or start, stop and points");
    const double from = number_value(a.start, "start"), to = number_value(a.stop, "stop");
    const std::size_t points = whole_value(a.points, "points", 100000);
    if (const std::string why = app::band_refusal(from, to, points, "start", "stop", "points");
        !why.empty())
        refuse(why);
    return app::measure_frequencies(from, to, points);
}

MeasurementPlan bench_plan(const MeasureArguments& a, const app::SweepRequest& request) {
    MeasurementPlan plan;
    const app::Setup& setup = request.setup;
    if (!a.calibration.is_none() && !setup.second_stage)
        refuse("calibration is for second-stage correction, which the set-up turns off");
    plan.with_calibration = setup.second_stage && a.calibration.is_none();
    if (!plan.with_calibration && !a.save_calibration.is_none())
        refuse("save_calibration: this run measures no calibration");
    plan.freqs_ghz = band(a);
    if (const std::string why =
            app::measured_outputs(request, plan.freqs_ghz,
                                  a.freq.is_none() ? "start and stop" : "freq", plan.outputs_ghz);
        !why.empty())
        refuse(why);
    plan.repeat = whole_value(a.repeat, "repeat", 1000);
    plan.yes = switch_value(a.yes, "yes");
    const double timeout = number_value(a.timeout, "timeout");
    if (!(timeout >= 0.01 && timeout <= 3600)) refuse("timeout: seconds from 0.01 to 3600");
    plan.timeout = Milliseconds(static_cast<long long>(std::ceil(timeout * 1000)));
    try {
        const InstrumentChoice choice{
            utf8_text(a.analyzer, "analyzer"), utf8_text(a.profile, "profile"),
            utf8_text(a.source, "source"), utf8_text(a.supply_profile, "supply_profile")};
        if (const auto refused = take_instruments(choice, plan))
            refuse((refused->input == InstrumentInput::profile ? "profile: " : "source: ") +
                   refused->why);
    } catch (const ProfileError& e) {
        refuse(e.what());
    } catch (const ResourceError& e) {
        refuse(e.what());
    }
    return plan;
}

// The run on a thread of its own, its questions asked here with input()
// and Ctrl+C here stopping it: the run then switches the source off and
// ends, and STOPPED_BY holds the KeyboardInterrupt (or input()'s error).
MeasurementOutcome run_here(const MeasurementPlan& plan,
                            std::optional<py::error_already_set>& stopped_by) {
    MeasureControl control;
    std::packaged_task<MeasurementOutcome()> task(
        [&plan, &control] { return run_measurement(plan, control); });
    std::future<MeasurementOutcome> result = task.get_future();
    std::thread runner(std::move(task));
    for (;;) {
        {
            py::gil_scoped_release unlocked;
            if (result.wait_for(std::chrono::milliseconds(100)) == std::future_status::ready) break;
        }
        try {
            if (PyErr_CheckSignals() != 0) throw py::error_already_set();
            if (const auto question = control.question()) {
                py::module_::import("builtins")
                    .attr("input")(*question + " (Enter to go on, Ctrl+C to stop) ");
                control.answer();
            }
        } catch (py::error_already_set& e) {
            stopped_by = std::move(e);
            control.stop();
            break;
        }
    }
    py::gil_scoped_release unlocked;
    runner.join();
    return result.get();
}

}  // namespace

py::dict measure(const MeasureArguments& a, const py::kwargs& inputs) {
    bool strict = false;
    SetupTables tables;
    const app::SweepRequest request = measured_setup(a.setup, inputs, strict, tables);
    const app::Setup& setup = request.setup;
    const MeasurementPlan plan = bench_plan(a, request);
    const std::string save_readings = path_or(a.save_readings, "save_readings");
    const std::string save_calibration = path_or(a.save_calibration, "save_calibration");
    const std::string calibration = path_or(a.calibration, "calibration");
    const std::string analyzer = utf8_text(a.analyzer, "analyzer");

    std::optional<py::error_already_set> stopped_by;
    const MeasurementOutcome o = run_here(plan, stopped_by);
    const std::string comment = "orlavex.measure, analyzer " + analyzer + " (" +
                                (o.identity.empty() ? plan.analyzer.name : o.identity) +
                                "), profile " + plan.analyzer.name;
    const fs::path readings =
        save_readings.empty()
            ? fs::temp_directory_path() / ("orlavex-measure-" + std::to_string(::getpid()) + ".csv")
            : fs::path(save_readings);
    std::string kept;
    if (!o.measured.empty())
        kept = write_text(readings, readings_text(o.measured, plan.with_calibration, comment,
                                                  reading_span(plan.analyzer)));
    if (kept.empty() && !o.calibration.empty() && !save_calibration.empty())
        kept = write_text(save_calibration, calibration_text(o.calibration, comment));
    const auto forget = [&] {
        if (save_readings.empty()) fs::remove(readings);
    };
    if (stopped_by && o.failure.empty()) {
        forget();
        throw std::move(*stopped_by);  // Ctrl+C as the run ended
    }
    if (!o.failure.empty()) {
        forget();
        std::string line = where_stopped(o) + ": " + o.failure + "; " +
                           std::to_string(o.measured.size()) + " of " +
                           std::to_string(plan.freqs_ghz.size()) + " frequencies measured";
        if (!o.measured.empty() && !save_readings.empty()) line += ", kept in " + save_readings;
        if (!o.source_safe) line += "; the noise source may still be on: switch it off";
        if (!kept.empty()) line += "; " + kept;
        if (!stopped_by) throw std::runtime_error(line);
        if (!o.source_safe) {
            PyErr_WarnEx(PyExc_RuntimeWarning, line.c_str(), 1);
        }
        throw std::move(*stopped_by);
    }
    if (!kept.empty()) {
        forget();
        PyErr_SetString(PyExc_OSError, kept.c_str());
        throw py::error_already_set();
    }
    py::dict out;
    try {
        out = evaluate_readings_at(
            setup, {strict, app::Naming::keyword}, readings,
            calibration.empty() ? std::nullopt : std::optional<fs::path>(calibration),
            {tables.enr_table ? &*tables.enr_table : nullptr,
             tables.dut_sparameters ? &*tables.dut_sparameters : nullptr});
    } catch (...) {
        forget();
        throw;
    }
    forget();
    return out;
}

}  // namespace orlavex::python
