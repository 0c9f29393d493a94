// The session's sweeps and rankings: the jobs, running them, and their
// outcomes taken back with the point chosen on the result.
#include "session/planner_session.h"

#include "app/inputs/typed_reflections.h"
#include "window/set_up_actions.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace orlavex::session {

SweepOutcome run_sweep_job(const SweepJob& job, planning::SweepProgress& progress) {
    SweepOutcome outcome;
    // Typed reflections the command line would refuse for the set-up file
    // are refused here too: a value out of range, part of a set, or one a
    // file gives as well.
    const planning::Sweep& s = job.sweep;
    outcome.error = app::typed_reflections_problem(
        s.model, app::reflection_sources(s.bench, s.enr_table, s.dut_sparameters),
        app::Naming::keyword);
    if (!outcome.error.empty()) return outcome;
    try {
        outcome.result =
            std::make_shared<const planning::SweepResult>(planning::run_sweep(job.sweep, progress));
    } catch (const planning::SweepCancelled&) {
        outcome.cancelled = true;
    } catch (const std::exception& e) {
        outcome.error = e.what();
    }
    return outcome;
}

AdviceOutcome run_advice_job(const AdviceJob& job, planning::SweepProgress& progress) {
    AdviceOutcome outcome;
    try {
        outcome.advice = planning::advise(job.sweep, progress);
    } catch (const planning::SweepCancelled&) {
        outcome.cancelled = true;
    } catch (const std::exception& e) {
        outcome.error = e.what();
    }
    return outcome;
}

SweepJob PlannerSession::sweep_job() const {
    return {sweep_request(), current_sweep()};
}

void PlannerSession::take_sweep(SweepJob job, std::shared_ptr<const planning::SweepResult> result) {
    result_ = std::move(result);
    shown_ = std::move(job);
    result_has_mc_ = std::ranges::any_of(
        result_->points, [](const planning::SweepPoint& p) { return p.monte_carlo.has_value(); });
    // The value chosen last, not the nearest of a sweep since, so that a
    // coarse sweep in between does not move the choice.
    selected_ = selected_value_ ? nearest_point(*selected_value_) : result_->points.size() / 2;
}

void PlannerSession::drop_sweep() {
    result_.reset();
    result_has_mc_ = false;
    selected_.reset();
}

SweepOutcome PlannerSession::run_sweep(planning::SweepProgress& progress) {
    SweepJob job = sweep_job();
    SweepOutcome outcome = run_sweep_job(job, progress);
    if (outcome.result) {
        take_sweep(std::move(job), outcome.result);
    } else if (!outcome.cancelled) {
        drop_sweep();
    }
    return outcome;
}

// The point of the result whose swept value lies nearest to SWEPT_VALUE.
std::size_t PlannerSession::nearest_point(double swept_value) const {
    const auto& points = result_->points;
    const auto nearest = std::ranges::min_element(points, {}, [&](const planning::SweepPoint& p) {
        return std::fabs(p.swept_value - swept_value);
    });
    return static_cast<std::size_t>(nearest - points.begin());
}

void PlannerSession::select_point(std::size_t index) {
    if (!result_ || index >= result_->points.size()) return;
    selected_ = index;
    selected_value_ = result_->points[index].swept_value;
}

AdviceJob PlannerSession::advice_job() const {
    AdviceJob job{current_sweep(), changes_};
    job.sweep.monte_carlo.enabled = false;
    return job;
}

void PlannerSession::take_advice(const AdviceJob& job, const AdviceOutcome& outcome) {
    if (outcome.cancelled || !outcome.error.empty()) return;
    advice_ = outcome.advice;
    advice_changes_ = job.asked_at;
}

AdviceOutcome PlannerSession::run_advice(planning::SweepProgress& progress) {
    const AdviceJob job = advice_job();
    AdviceOutcome outcome = run_advice_job(job, progress);
    take_advice(job, outcome);
    return outcome;
}

bool PlannerSession::advice_current() const {
    return !advice_.ranking.empty() && advice_changes_ == changes_;
}

std::optional<std::string> PlannerSession::apply_advice(std::size_t row) {
    if (row >= advice_.ranking.size() || !advice_current()) return std::nullopt;
    const planning::Candidate& c = advice_.ranking[row].candidate;
    std::string why = orlavex::choose_noise_source(setup_, c.noise_source);
    if (why.empty()) why = set_internal_preamp(setup_, c.int_preamp, c.preamp_option);
    setup_.form.popup = Ctl::none;
    changed();
    // The ranking compared these very choices: it still holds for the next.
    advice_changes_ = changes_;
    return why;
}

}  // namespace orlavex::session
