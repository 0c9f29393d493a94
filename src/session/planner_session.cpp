// The session's inputs: the set-up, the sweep and model inputs, the data
// files and the bench, and the request and sweep they make.
#include "session/planner_session.h"

#include "app/inputs/apply.h"
#include "app/inputs/window_setup_reading.h"
#include "core/field_entry.h"
#include "datafiles/file_error.h"
#include "engine/classic_reading.h"
#include "session/prediction_setup.h"
#include "window/set_up_actions.h"

#include <cmath>
#include <utility>

namespace orlavex::session {

using enum Ctl;

PlannerSession::PlannerSession(Calculator calc) : setup_(prediction_setup(std::move(calc))) {}

void PlannerSession::changed() {
    dirty_ = true;
    ++changes_;
}

void PlannerSession::take_setup(Calculator calc) {
    setup_ = prediction_setup(std::move(calc));
    changed();
}

std::string PlannerSession::enter_field(Ctl field, double value) {
    const std::string text =
        core::field_text(value, core::field_capacity(field), core::kept_decimals(field));
    std::string why = enter_text(setup_, field, text);
    changed();
    return why;
}

std::string PlannerSession::choose_analyzer(std::string_view model) {
    std::string why = orlavex::choose_analyzer(setup_, model);
    setup_.form.popup = Ctl::none;
    changed();
    return why;
}

std::string PlannerSession::choose_noise_source(std::string_view model) {
    std::string why = orlavex::choose_noise_source(setup_, model);
    setup_.form.popup = Ctl::none;
    changed();
    return why;
}

void PlannerSession::set_sweep_inputs(const SweepInputs& inputs) {
    inputs_ = inputs;
    changed();
}

void PlannerSession::set_model_options(const measure::ModelOptions& options) {
    static_cast<measure::ModelOptions&>(model_) = options;
    changed();
}

void PlannerSession::sweep_over(planning::SweptInput over, planning::MatchForm form) {
    const Range range = default_range(over, form);
    inputs_.over = over;
    inputs_.match_form = form;
    inputs_.from = range.from;
    inputs_.to = range.to;
    if (over != planning::SweptInput::frequency) inputs_.log = false;
    selected_value_.reset();  // a value of another input
    changed();
}

std::string PlannerSession::load_enr_table(const std::string& path) {
    try {
        enr_table_ = datafiles::read_enr_file(path);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    forget_embedded("enr_table");
    changed();
    return {};
}

std::string PlannerSession::load_sparameters(const std::string& path) {
    try {
        sparameters_ = datafiles::read_touchstone(path);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }
    forget_embedded("dut_s2p");
    changed();
    return {};
}

void PlannerSession::clear_enr_table() {
    enr_table_.reset();
    forget_embedded("enr_table");
    changed();
}

void PlannerSession::clear_sparameters() {
    sparameters_.reset();
    forget_embedded("dut_s2p");
    changed();
}

void PlannerSession::forget_embedded(std::string_view slot) {
    embedded_[app::slot_index(slot)].reset();
}

std::string PlannerSession::apply_bench(const planning::BenchInput& candidate) {
    if (std::string why = planning::bench_input_problem(candidate); !why.empty()) return why;
    const auto file_name = [](const auto& file) { return file ? file->name() : std::string(); };
    if (file_name(candidate.loss_in.sparameters) != file_name(bench_.loss_in.sparameters))
        forget_embedded("loss_in_s2p");
    if (file_name(candidate.loss_out.sparameters) != file_name(bench_.loss_out.sparameters))
        forget_embedded("loss_out_s2p");
    const auto table_name = [&](const planning::BenchInput& b) {
        return b.meas_source ? file_name(b.meas_source->table) : std::string();
    };
    if (table_name(candidate) != table_name(bench_)) forget_embedded("meas_enr_table");
    bench_ = candidate;
    changed();
    return {};
}

planning::Sweep PlannerSession::current_sweep() const {
    planning::Sweep sweep;
    sweep.base = classic_session(setup_);
    sweep.decimal_separator = setup_.form.decimal_separator;
    sweep.over = inputs_.over;
    sweep.from = inputs_.from;
    sweep.to = inputs_.to;
    sweep.points = inputs_.points;
    sweep.spacing = inputs_.log ? planning::Spacing::logarithmic : planning::Spacing::linear;
    sweep.match_form = inputs_.match_form;
    if (is_ticked(setup_, chkFreqConv)) {
        const CalcState& s = setup_.state;
        sweep.conversion = planning::conversion_kept(inputs_.fixed_lo, s.Freq, s.Freq2);
    }
    sweep.enr_table = enr_table_;
    sweep.dut_sparameters = sparameters_;
    sweep.bench = bench_;
    sweep.model = model_;  // the options no control shows, as they came
    sweep.model.noise_bw_hz = inputs_.noise_bw_hz;
    sweep.model.tau_s = inputs_.tau_s;
    sweep.monte_carlo.enabled = inputs_.monte_carlo;
    sweep.monte_carlo.trials = inputs_.trials;
    sweep.monte_carlo.seed = model_.seed;
    return sweep;
}

app::SweepRequest PlannerSession::sweep_request() const {
    app::SweepRequest r;
    r.setup = app::read_setup(setup_);
    r.setup.model = model_;
    r.setup.model.noise_bw_hz = inputs_.noise_bw_hz;
    r.setup.model.tau_s = inputs_.tau_s;
    // Trials the planner does not run stay as they came.
    if (inputs_.monte_carlo) r.setup.model.trials = inputs_.trials;
    r.setup.bench = bench_;
    r.over = inputs_.over;
    r.from = inputs_.from;
    r.to = inputs_.to;
    r.points = inputs_.points;
    r.log = inputs_.log;
    r.match_form = inputs_.match_form;
    r.enr_table = enr_table_;
    r.dut_sparameters = sparameters_;
    r.embedded = embedded_;
    r.monte_carlo = inputs_.monte_carlo;
    r.fixed_lo = inputs_.fixed_lo;
    return r;
}

std::string PlannerSession::open_request(const app::SweepRequest& request) {
    if (std::string why = out_of_reach(request); !why.empty()) return why;
    if (std::string why = planning::bench_input_problem(request.setup.bench); !why.empty())
        return why;
    Calculator calc = started_calculator();
    const app::Applied applied =
        app::apply(calc, request.setup, {.strict = false, .naming = app::Naming::keyword});
    if (!applied.refused.empty()) return applied.refused;
    std::optional<datafiles::EnrTable> enr_table = request.enr_table;
    std::optional<datafiles::Touchstone> sparameters = request.dut_sparameters;
    try {
        if (!request.enr_table_path.empty())
            enr_table = datafiles::read_enr_file(request.enr_table_path);
        if (!request.dut_s2p_path.empty())
            sparameters = datafiles::read_touchstone(request.dut_s2p_path);
    } catch (const datafiles::FileError& e) {
        return e.what();
    }

    // Nothing below can fail: the session takes the whole request.
    setup_ = prediction_setup(std::move(calc));
    enr_table_ = std::move(enr_table);
    sparameters_ = std::move(sparameters);
    bench_ = request.setup.bench;
    model_ = request.setup.model;
    embedded_ = request.embedded;
    inputs_.over = request.over;
    inputs_.from = request.from;
    inputs_.to = request.to;
    inputs_.points = request.points;
    inputs_.log = request.log;
    inputs_.match_form = request.match_form;
    inputs_.fixed_lo = request.fixed_lo;
    inputs_.noise_bw_hz = request.setup.model.noise_bw_hz;
    inputs_.tau_s = request.setup.model.tau_s;
    inputs_.monte_carlo = request.monte_carlo;
    if (request.monte_carlo) inputs_.trials = request.setup.model.trials;
    selected_value_.reset();
    changed();
    return {};
}

}  // namespace orlavex::session
