#include "measure/gum.h"

#include "measure/error_sources.h"
#include "measure/simulated_measurement.h"
#include "measure/units.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace orlavex::measure {

namespace {

// Step of the central differences, in the source's unit (dB, or natural log
// for jitter): small enough that the quotient is the derivative the budget
// asks for, large enough that rounding of the simulated error (about 1e-15
// dB) stays far below the sensitivities that matter.
constexpr double step = 1e-4;

struct FoundSlope {
    double c = 0;
    Sensitivity found = Sensitivity::central;
};

// The linear factors of the steps up and down, worked out once: a perturbed
// evaluation changes one factor of the perfect measurement and nothing else.
struct StepFactors {
    double up = 0, down = 0;
};

// The errors of the steps up and down, each pair evaluated once: sources
// that move the same factor (the output mismatch and the analyzer's level
// error both scale the measured gain) share their evaluations.
class SteppedErrors {
  public:
    explicit SteppedErrors(const SimulatedMeasurement& measurement) : measurement_(measurement) {}

    std::pair<double, double> at(Target target, const ErrorFactors& up, const ErrorFactors& down) {
        std::optional<std::pair<double, double>>& errors =
            evaluated_[static_cast<std::size_t>(factor_moved(target))];
        if (!errors) errors.emplace(measurement_.error_db(up), measurement_.error_db(down));
        return *errors;
    }

  private:
    const SimulatedMeasurement& measurement_;
    std::array<std::optional<std::pair<double, double>>, target_count> evaluated_{};
};

FoundSlope sensitivity_of(SteppedErrors& errors, Target target, StepFactors factors, double e0) {
    ErrorFactors up, down;
    apply_factor(up, target, factors.up);
    apply_factor(down, target, factors.down);
    const auto [e_up, e_down] = errors.at(target, up, down);
    const bool up_valid = !std::isnan(e_up), down_valid = !std::isnan(e_down);
    // Near the edge of the valid region (Y close to 1) one step may fall
    // outside it: the other, taken from the nominal point, still gives the
    // slope there.
    if (up_valid && down_valid) return {(e_up - e_down) / (2 * step), Sensitivity::central};
    if (up_valid) return {(e_up - e0) / step, Sensitivity::upward_only};
    if (down_valid) return {(e0 - e_down) / step, Sensitivity::downward_only};
    return {std::numeric_limits<double>::quiet_NaN(), Sensitivity::undetermined};
}

}  // namespace

std::string_view sensitivity_note(Sensitivity found) {
    switch (found) {
        case Sensitivity::central:
            return {};
        case Sensitivity::upward_only:
            return "one-sided difference: a step below leaves the valid region";
        case Sensitivity::downward_only:
            return "one-sided difference: a step above leaves the valid region";
        case Sensitivity::undetermined:
            return "no sensitivity: steps either way leave the valid region";
    }
    return {};
}

Budget gum_budget(const MeasurementSetup& setup) {
    const SimulatedMeasurement measurement(setup);
    const std::vector<ErrorSource> sources = error_sources(setup);
    const StepFactors db_step{lin(step), lin(-step)};
    const StepFactors log_step{std::exp(step), std::exp(-step)};
    Budget budget;
    budget.offset_db = measurement.error_db(ErrorFactors{});
    budget.valid = !std::isnan(budget.offset_db);
    budget.lines.reserve(sources.size());
    SteppedErrors stepped(measurement);
    double sum_of_squares = 0;
    for (const ErrorSource& source : sources) {
        BudgetLine line;
        line.source = source.name;
        line.u = source.u;
        // Every line's sensitivity is worked out, with or without an
        // uncertainty: it tells the engineer what calibrating that source
        // would be worth. Only a line that carries an uncertainty can make
        // the budget undetermined.
        const bool uncertain = source.u > 0;
        const FoundSlope s =
            budget.valid
                ? sensitivity_of(stepped, source.target,
                                 in_natural_log(source.target) ? log_step : db_step,
                                 budget.offset_db)
                : FoundSlope{std::numeric_limits<double>::quiet_NaN(), Sensitivity::undetermined};
        line.c = s.c;
        line.found = s.found;
        if (uncertain && s.found == Sensitivity::undetermined) budget.valid = false;
        line.note = sensitivity_note(line.found);
        if (!uncertain && line.note.empty()) line.note = "no uncertainty given";
        line.u_i_db = uncertain ? std::fabs(line.c) * line.u : 0;
        sum_of_squares += line.u_i_db * line.u_i_db;
        budget.lines.push_back(line);
    }
    budget.u_c_db = std::sqrt(sum_of_squares);
    budget.U_db = budget.k * budget.u_c_db;
    for (BudgetLine& line : budget.lines) {
        line.share = sum_of_squares > 0 ? line.u_i_db * line.u_i_db / sum_of_squares : 0;
    }
    return budget;
}

}  // namespace orlavex::measure
