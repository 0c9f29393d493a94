// Type A evaluation of repeated readings (GUM 4.2): the scatter of a
// reading's natural logarithm replaces its planned jitter line in a budget,
// and the budget's coverage factor for 95 % follows from the effective
// degrees of freedom (Welch-Satterthwaite) and Student's t.
#pragma once

#include "measure/gum.h"

#include <span>
#include <string_view>

namespace orlavex::measure {

// The two-sided 95 % point of Student's t with NU degrees of freedom,
// truncated to an integer (at least 1) as the GUM advises; the normal
// distribution's 1.95996... for an infinite NU.
double student_t95(double nu);

// A line of Type A uncertainty: the experimental standard deviation of the
// mean of ln(P_i) of a reading taken n times, with n - 1 degrees of freedom.
struct TypeALine {
    std::string_view source;  // the budget line it replaces, e.g. "jitter_meas_on"
    double u = 0;
    double dof = 0;
};

// The Type A line of the n >= 2 linear powers P.
TypeALine type_a_line(std::string_view source, std::span<const double> powers);

struct AssessedBudget {
    Budget budget;      // the lines given replaced, k from nu_eff, U = k u_c
    double nu_eff = 0;  // infinite when no Type A line contributes
};

// PLANNED with each line of LINES in place of the line of its source (keeping
// that line's sensitivity); every other line counts with infinite degrees of
// freedom. A Type A line with uncertainty but no sensitivity leaves the
// budget invalid.
AssessedBudget with_type_a(const Budget& planned, std::span<const TypeALine> lines);

}  // namespace orlavex::measure
