#include "python/point_functions.h"

#include "app/results/evaluated_enr.h"
#include "app/results/evaluation.h"
#include "app/results/point.h"
#include "app/results/readings_evaluation.h"
#include "datafiles/readings_file.h"
#include "python/data_files.h"
#include "python/interruptible.h"
#include "python/keyword_inputs.h"
#include "python/level_arrays.h"
#include "python/sweep_functions.h"
#include "python/to_python.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>

namespace orlavex::python {

namespace py = pybind11;

namespace {

// The tables a point reads its known reflections from, and an evaluation
// its values at each frequency.
struct PointTables {
    std::optional<datafiles::EnrTable> enr_table;
    std::optional<datafiles::Touchstone> dut_sparameters;
    app::PointFiles files() const {
        return {enr_table ? &*enr_table : nullptr, dut_sparameters ? &*dut_sparameters : nullptr};
    }
    app::EvaluationFiles evaluation_files() const {
        return {enr_table ? &*enr_table : nullptr, dut_sparameters ? &*dut_sparameters : nullptr};
    }
};

PointTables point_tables(const PointFileArguments& given) {
    SweepArguments a;
    a.enr_table = given.enr_table;
    a.dut_s2p = given.dut_s2p;
    app::SweepRequest r;
    read_files(r, a);
    PointTables t{std::move(r.enr_table), std::move(r.dut_sparameters)};
    if (!r.enr_table_path.empty()) t.enr_table = datafiles::read_enr_file(r.enr_table_path);
    if (!r.dut_s2p_path.empty()) t.dut_sparameters = datafiles::read_touchstone(r.dut_s2p_path);
    return t;
}

// The point with its Monte Carlo on a thread of its own: Ctrl+C, or an
// error REPORT raises, stops it after the blocks of trials under way.
app::PointOutcome with_monte_carlo(const KeywordInputs& k, const py::object& report,
                                   const app::PointFiles& files = {}) {
    auto progress = std::make_shared<measure::MonteCarloProgress>();
    std::function<void()> tick;
    const std::size_t total = k.setup.model.trials;
    if (report && !report.is_none()) {
        tick = [progress, report, total] { report(progress->done.load(), total); };
    }
    app::PointOutcome outcome = interruptible<app::PointOutcome>(
        [setup = k.setup, options = k.options(), progress, files] {
            return app::run_point(setup, options, true, progress.get(), files);
        },
        [progress] { progress->cancel = true; }, tick);
    if (tick && outcome.point) report(total, total);
    return outcome;
}

app::Point computed(const KeywordInputs& k, bool monte_carlo, const py::object& report = py::none(),
                    const app::PointFiles& files = {}) {
    app::PointOutcome outcome = monte_carlo
                                    ? with_monte_carlo(k, report, files)
                                    : app::run_point(k.setup, k.options(), false, nullptr, files);
    if (!outcome.point) refuse(outcome.refused);
    return std::move(*outcome.point);
}

}  // namespace

py::dict point(bool mc, const PointFileArguments& files, const py::kwargs& inputs) {
    const KeywordInputs k = read_keywords(inputs, app::Scope::prediction);
    const PointTables tables = point_tables(files);
    const app::Point p = computed(k, mc, py::none(), tables.files());
    return to_python(app::point_json(p));
}

py::dict budget(const PointFileArguments& files, const py::kwargs& inputs) {
    const KeywordInputs k = read_keywords(inputs, app::Scope::prediction);
    const PointTables tables = point_tables(files);
    const app::Point p = computed(k, false, py::none(), tables.files());
    return to_python(app::gum_json(p.budget));
}

py::dict monte_carlo(const py::object& trials, const py::object& seed, bool samples,
                     const py::object& progress, const PointFileArguments& files,
                     const py::kwargs& inputs) {
    py::dict keywords(inputs);
    keywords["trials"] = trials;
    keywords["seed"] = seed;
    KeywordInputs k = read_keywords(keywords, app::Scope::prediction);
    k.setup.model.keep_samples = samples;
    const PointTables tables = point_tables(files);
    app::Point p = computed(k, true, progress, tables.files());
    py::dict out = to_python(app::monte_carlo_json(*p.monte_carlo));
    if (samples) {
        // The array owns the samples: moved into a capsule, not copied.
        auto* kept = new std::vector<double>(std::move(p.monte_carlo->samples));
        py::capsule owner(kept, [](void* v) { delete static_cast<std::vector<double>*>(v); });
        out["samples"] = py::array_t<double>(kept->size(), kept->data(), owner);
    }
    return out;
}

// The figures of every measured point, one array each, as a sweep gives its
// columns; the notes as a list per point.
py::dict measured_columns(const std::vector<app::MeasuredPoint>& points) {
    std::vector<app::Json> rows;
    for (const app::MeasuredPoint& p : points)
        rows.push_back(app::measured_point_json(p, false));
    py::dict out;
    for (const char* key :
         {"freq_ghz", "readings", "dut_nf_db", "dut_gain_db", "u_db", "U_db", "k", "nu_eff"}) {
        py::array_t<double> column(static_cast<py::ssize_t>(rows.size()));
        auto cells = column.mutable_unchecked<1>();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const app::Json& x = rows[i][key];
            cells(static_cast<py::ssize_t>(i)) =
                x.is_number() ? x.get<double>() : std::numeric_limits<double>::quiet_NaN();
        }
        out[key] = column;
    }
    py::list notes;
    for (const app::Json& row : rows)
        notes.append(to_python(row.value("notes", app::Json::array())));
    out["notes"] = notes;
    return out;
}

py::dict evaluate_readings_at(app::Setup setup, const app::ApplyOptions& options,
                              const std::filesystem::path& readings_path,
                              const std::optional<std::filesystem::path>& calibration_path,
                              const app::EvaluationFiles& files) {
    setup.manual = true;
    const datafiles::Readings readings = datafiles::read_readings(readings_path);
    std::optional<datafiles::Readings> cal;
    if (calibration_path)
        cal = datafiles::read_readings(*calibration_path, datafiles::ReadingsColumns::calibration);
    const app::ReadingsOutcome outcome = app::evaluate_readings(
        setup, readings, options, cal ? &*cal : nullptr, files.enr_table, files.dut_sparameters);
    if (!outcome.refused.empty()) refuse(outcome.refused);
    return measured_columns(outcome.points);
}

namespace {

// KEYWORDS read, with the ENR table TABLE (may be null), which the ENR and
// its uncertainty must not be given beside.
KeywordInputs evaluation_keywords(const py::dict& keywords, const datafiles::EnrTable* table) {
    KeywordInputs k = read_keywords(keywords, app::Scope::levels);
    if (table) {
        const std::string why = app::typed_enr_refusal(k.setup.field("enr").has_value(),
                                                       k.setup.field("enr_unc").has_value(), *table,
                                                       k.options().naming);
        if (!why.empty()) refuse(why);
    }
    return k;
}

// A band of readings from the file PATH, calibrated by the file CALIBRATION
// unless None, with the set-up KEYWORDS gives and FILES.
py::dict evaluate_readings_file(const py::object& path, const py::object& calibration,
                                const py::dict& keywords, const app::EvaluationFiles& files) {
    for (const char* given : {"freq", "cal_on", "cal_off", "meas_on", "meas_off"}) {
        if (keywords.contains(given) && !keywords[given].is_none())
            refuse(std::string("readings gives the frequency and the levels: do not give ") +
                   given + " as well");
    }
    const KeywordInputs k = evaluation_keywords(keywords, files.enr_table);
    std::optional<std::filesystem::path> cal;
    if (!calibration.is_none()) cal = path_value(calibration, "calibration");
    return evaluate_readings_at(k.setup, k.options(), path_value(path, "readings"), cal, files);
}

// Arrays of levels (and frequencies) evaluated point by point as a
// readings file of single readings is.
py::dict evaluate_arrays(const LevelColumns& columns, py::dict keywords,
                         const app::EvaluationFiles& files) {
    keywords["freq"] = py::none();
    KeywordInputs k = evaluation_keywords(keywords, files.enr_table);
    k.setup.manual = true;
    const double start = app::find_field_input("freq")->start;
    const datafiles::Readings readings = readings_of_columns(columns, start);
    const app::ReadingsOutcome outcome = app::evaluate_readings(
        k.setup, readings, k.options(), nullptr, files.enr_table, files.dut_sparameters);
    if (!outcome.refused.empty()) refuse(outcome.refused);
    return measured_columns(outcome.points);
}

}  // namespace

py::dict evaluate(const py::object& cal_on, const py::object& cal_off, const py::object& meas_on,
                  const py::object& meas_off, const py::object& readings,
                  const py::object& calibration, const PointFileArguments& files,
                  const py::kwargs& inputs) {
    py::dict keywords(inputs);
    if (readings.is_none() && !calibration.is_none())
        refuse("calibration is for readings: give the readings file too");
    const PointTables tables = point_tables(files);
    const app::EvaluationFiles read = tables.evaluation_files();
    if (!readings.is_none()) {
        // The file gives the levels: one given beside it is refused there.
        keywords["cal_on"] = cal_on;
        keywords["cal_off"] = cal_off;
        keywords["meas_on"] = meas_on;
        keywords["meas_off"] = meas_off;
        return evaluate_readings_file(readings, calibration, keywords, read);
    }
    const py::object freq = keywords.contains("freq") ? py::object(keywords["freq"]) : py::none();
    if (std::ranges::any_of(
            std::initializer_list<py::handle>{cal_on, cal_off, meas_on, meas_off, freq},
            [](const py::handle& x) { return is_array(x); })) {
        return evaluate_arrays({cal_off, cal_on, meas_off, meas_on, freq}, keywords, read);
    }
    const std::pair<const char*, const py::object&> levels[] = {
        {"cal_on", cal_on}, {"cal_off", cal_off}, {"meas_on", meas_on}, {"meas_off", meas_off}};
    for (const auto& [name, value] : levels)
        keywords[name] = value;
    KeywordInputs k = evaluation_keywords(keywords, read.enr_table);
    k.setup.manual = true;
    const app::EvaluationOutcome outcome = app::run_evaluation(k.setup, k.options(), read);
    if (!outcome.evaluation) refuse(outcome.refused);
    return to_python(app::evaluation_json(*outcome.evaluation));
}

double point_seconds_in_cpp(std::size_t calls, const py::kwargs& inputs) {
    const KeywordInputs k = read_keywords(inputs, app::Scope::prediction);
    py::gil_scoped_release unlocked;
    const auto start = std::chrono::steady_clock::now();
    std::size_t keys = 0;
    for (std::size_t i = 0; i < calls; ++i) {
        const app::PointOutcome outcome = app::run_point(k.setup, k.options(), false);
        if (!outcome.point) break;
        keys += app::point_json(*outcome.point).size();
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    // Every call builds the whole document; a short count means refused inputs.
    if (keys < 4 * calls) return std::numeric_limits<double>::quiet_NaN();
    return elapsed.count();
}

}  // namespace orlavex::python
