#include "measure/type_a.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace orlavex::measure {

namespace {

constexpr double normal95 = 1.959963984540054;

// P(|T| < t) for NU (a whole number >= 1) degrees of freedom, by the
// closed forms of Abramowitz and Stegun 26.7.3 and 26.7.4.
double t_inside(double t, long nu) {
    const double theta = std::atan(t / std::sqrt(static_cast<double>(nu)));
    const double c2 = std::cos(theta) * std::cos(theta);
    double term = 1, sum = 1;
    if (nu % 2 == 0) {
        for (long j = 2; j <= nu - 2; j += 2) {
            term *= c2 * (j - 1) / j;
            sum += term;
        }
        return std::sin(theta) * sum;
    }
    if (nu == 1) return 2 * theta / std::numbers::pi;
    term = std::cos(theta);
    sum = term;
    for (long j = 3; j <= nu - 2; j += 2) {
        term *= c2 * (j - 1) / j;
        sum += term;
    }
    return 2 / std::numbers::pi * (theta + std::sin(theta) * sum);
}

// The t point for NU degrees of freedom from the normal point Z by the
// Cornish-Fisher expansion in 1/NU (Abramowitz and Stegun 26.7.5): within
// 1e-9 of it from a hundred degrees of freedom on.
double t_expanded(double z, double nu) {
    const double z2 = z * z;
    const double g1 = z * (z2 + 1) / 4;
    const double g2 = z * ((5 * z2 + 16) * z2 + 3) / 96;
    const double g3 = z * (((3 * z2 + 19) * z2 + 17) * z2 - 15) / 384;
    const double g4 = z * ((((79 * z2 + 776) * z2 + 1482) * z2 - 1920) * z2 - 945) / 92160;
    return z + (g1 + (g2 + (g3 + g4 / nu) / nu) / nu) / nu;
}

}  // namespace

double student_t95(double nu) {
    // The closed forms take a term per degree of freedom; past this the
    // expansion is as exact.
    constexpr double expanded_from = 100;
    const double whole = std::max(1.0, std::floor(nu));
    if (whole >= expanded_from) return t_expanded(normal95, whole);
    double low = normal95, high = 13;  // the point for one degree of freedom is 12.71
    for (int i = 0; i < 100 && high - low > 1e-12; ++i) {
        const double mid = (low + high) / 2;
        (t_inside(mid, static_cast<long>(whole)) < 0.95 ? low : high) = mid;
    }
    return (low + high) / 2;
}

TypeALine type_a_line(std::string_view source, std::span<const double> powers) {
    const auto n = static_cast<double>(powers.size());
    double mean = 0;
    for (const double p : powers)
        mean += std::log(p);
    mean /= n;
    double squares = 0;
    for (const double p : powers)
        squares += (std::log(p) - mean) * (std::log(p) - mean);
    return {source, std::sqrt(squares / (n - 1) / n), n - 1};
}

AssessedBudget with_type_a(const Budget& planned, std::span<const TypeALine> lines) {
    AssessedBudget a{planned, std::numeric_limits<double>::infinity()};
    Budget& b = a.budget;
    double variance = 0, by_dof = 0;
    for (BudgetLine& line : b.lines) {
        for (const TypeALine& t : lines) {
            if (t.source != line.source) continue;
            line.u = t.u;
            line.u_i_db = std::fabs(line.c) * t.u;
            if (t.u > 0 && std::isnan(line.c)) b.valid = false;
            if (line.u_i_db > 0) by_dof += std::pow(line.u_i_db, 4) / t.dof;
        }
        if (!std::isnan(line.u_i_db)) variance += line.u_i_db * line.u_i_db;
    }
    b.u_c_db = std::sqrt(variance);
    for (BudgetLine& line : b.lines)
        line.share = variance > 0 ? line.u_i_db * line.u_i_db / variance : 0;
    if (by_dof > 0) a.nu_eff = variance * variance / by_dof;
    b.k = student_t95(a.nu_eff);
    b.U_db = b.k * b.u_c_db;
    return a;
}

}  // namespace orlavex::measure
