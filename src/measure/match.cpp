#include "measure/match.h"

#include "measure/units.h"

#include <cmath>
#include <numbers>

namespace orlavex::measure {

double reflection(double match, bool vswr_form) {
    return vswr_form ? (match - 1) / (match + 1) : std::pow(10.0, -std::fabs(match) / 20.0);
}

double return_loss_db(double gamma) {
    return -20 * log10(gamma);
}

double vswr_from_reflection(double gamma) {
    return (1 + gamma) / (1 - gamma);
}

double mismatch_db(double gamma_a, double gamma_b) {
    return -20 * log10(1 - gamma_a * gamma_b);
}

double mismatch_db(double gamma_a, double gamma_b, double phi) {
    // |1 - a e^(j phi)|^2 = 1 - 2 a cos(phi) + a^2
    const double a = gamma_a * gamma_b;
    return -10 * log10(1 - 2 * a * std::cos(phi) + a * a);
}

double mismatch_std_db(double gamma_a, double gamma_b) {
    return 20 / std::numbers::ln10 * gamma_a * gamma_b / std::numbers::sqrt2;
}

}  // namespace orlavex::measure
