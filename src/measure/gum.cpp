#include "measure/gum.h"

#include "measure/error_sources.h"
#include "measure/simulated_measurement.h"

#include <cmath>

namespace orlavex::measure {

namespace {

// Step of the central differences, in the source's unit (dB, or natural log
// for jitter): small enough that the quotient is the derivative the budget
// asks for, large enough that rounding of the simulated error (about 1e-15
// dB) stays far below the sensitivities that matter.
constexpr double step = 1e-4;

}  // namespace

Budget gum_budget(const MeasurementSetup& setup) {
    const SimulatedMeasurement measurement(setup);
    const std::vector<ErrorSource> sources = error_sources(setup);
    Budget budget;
    budget.offset_db = measurement.error_db(ErrorFactors{});
    budget.valid = !std::isnan(budget.offset_db);
    budget.lines.reserve(sources.size());
    double sum_of_squares = 0;
    for (const ErrorSource& source : sources) {
        ErrorDraw up, down;
        add_to_draw(up, source.target, step);
        add_to_draw(down, source.target, -step);
        const double e_up = measurement.error_db(factors_of(up));
        const double e_down = measurement.error_db(factors_of(down));
        if (std::isnan(e_up) || std::isnan(e_down)) budget.valid = false;
        BudgetLine line;
        line.source = source.name;
        line.u = source.u;
        line.c = (e_up - e_down) / (2 * step);
        line.u_i_db = std::fabs(line.c) * line.u;
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
