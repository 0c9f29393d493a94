#include "measure/noise_parameters.h"

#include "measure/units.h"

#include <cmath>
#include <limits>

namespace orlavex::measure {
namespace {

// 1 - |gamma|^2, or NaN when that is not above 0 (and for a gamma not finite).
double available_fraction(std::complex<double> gamma) {
    const double fraction = 1 - std::norm(gamma);
    return fraction > 0 ? fraction : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace

NoiseParameters noise_parameters_from_db(double nfmin_db, std::complex<double> gamma_opt,
                                         double rn) {
    return {lin(nfmin_db), gamma_opt, rn};
}

double noise_factor(const NoiseParameters& p, std::complex<double> gamma) {
    const double fraction = available_fraction(gamma);
    // rn times the distance first: at Gamma_opt a huge rn still adds 0.
    return p.fmin +
           p.rn * std::norm(gamma - p.gamma_opt) * 4 / (fraction * std::norm(1.0 + p.gamma_opt));
}

double transducer_gain(std::complex<double> s11, std::complex<double> s21,
                       std::complex<double> gamma) {
    return std::norm(s21) * available_fraction(gamma) / std::norm(1.0 - s11 * gamma);
}

double noise_factor(const DutAtInput& dut, std::complex<double> gamma) {
    if (dut.noise) return noise_factor(*dut.noise, gamma);
    // Only a source that can be is accepted, as with the parameters.
    return available_fraction(gamma) > 0 ? dut.f : std::numeric_limits<double>::quiet_NaN();
}

double output_noise_k(const DutAtInput& dut, std::complex<double> gamma, double source_k) {
    return transducer_gain(dut.s11, dut.s21, gamma) *
           (source_k + T0 * (noise_factor(dut, gamma) - 1));
}

}  // namespace orlavex::measure
