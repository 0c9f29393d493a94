#include "measure/known_reflections.h"

#include "measure/simulated_measurement.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>
#include <string_view>
#include <utility>

namespace orlavex::measure {

namespace {

using Complex = std::complex<double>;

Reflection parts(Complex c) {
    return {c.real(), c.imag()};
}

// What a reflection becomes through the loss before the DUT: the wave
// crosses it forward and back.
Complex through_loss_twice(const MeasurementSetup& s) {
    const KnownReflections& k = *s.reflections;
    if (!k.loss_in_s21 && !k.loss_in_s12) return 1 / lin(s.loss_in.loss_db);
    const Complex s21 = k.loss_in_s21.value_or(1 / std::sqrt(lin(s.loss_in.loss_db)));
    return s21 * k.loss_in_s12.value_or(s21);
}

bool finite(Complex c) {
    return std::isfinite(c.real()) && std::isfinite(c.imag());
}

std::string problem(std::string_view what, Complex value, std::string_view rule) {
    std::ostringstream out;
    out << what << " " << std::abs(value) << " at " << std::arg(value) * 180 / std::numbers::pi
        << " degrees: " << rule;
    return out.str();
}

std::string problem(std::string_view what, double value, std::string_view rule) {
    std::ostringstream out;
    out << what << " " << value << ": " << rule;
    return out.str();
}

// A passive port's reflection: finite and below 1 in magnitude.
std::string reflection_problem(std::string_view what, Complex gamma) {
    if (finite(gamma) && std::norm(gamma) < 1) return {};
    return problem(what, gamma, "a passive port reflects less than 1, and finitely");
}

}  // namespace

ReflectedDut reflected_dut(const MeasurementSetup& s) {
    const KnownReflections& k = *s.reflections;
    const Complex seen = through_loss_twice(s);
    ReflectedDut d;
    d.s11 = parts(k.s11);
    d.on = parts(k.source_on * seen);
    d.off = parts(k.source_off * seen);
    d.s21_norm = std::norm(k.s21);
    if (k.noise) {
        d.fmin = k.noise->fmin;
        d.gamma_opt = parts(k.noise->gamma_opt);
        d.noise_scale = 4 * k.noise->rn / std::norm(1.0 + k.noise->gamma_opt);
    } else {
        d.fmin = lin(s.dut_nf_db);
    }
    return d;
}

double measurand_noise_factor(const MeasurementSetup& s) {
    if (s.reflections && s.reflections->noise) return noise_factor(*s.reflections->noise, 0.0);
    return lin(s.dut_nf_db);
}

double measurand_nf_db(const MeasurementSetup& s) {
    return s.reflections ? db(measurand_noise_factor(s)) : s.dut_nf_db;
}

double calibration_acceptance(const MeasurementSetup& s) {
    if (!s.reflections || s.meas_source.separate) return 1;
    return 1 - std::norm(s.reflections->source_on_cal.value_or(s.reflections->source_on));
}

double source_match_bias_db(const MeasurementSetup& s) {
    if (!s.reflections) return 0;
    MeasurementSetup corrected = s;
    corrected.second_stage = true;
    return SimulatedMeasurement(corrected).error_db(ErrorFactors{});
}

std::string reflections_problem(const MeasurementSetup& s) {
    if (!s.reflections) return {};
    const KnownReflections& k = *s.reflections;
    if (s.image.response)
        return "known reflections with an image response: the model knows the reflections of "
               "the signal band alone";
    for (const auto& [what, gamma] :
         {std::pair<std::string_view, Complex>{"the source's on reflection", k.source_on},
          {"the source's off reflection", k.source_off},
          {"the source's on reflection at the calibration frequency",
           k.source_on_cal.value_or(k.source_on)},
          {"the DUT's S11", k.s11}}) {
        if (std::string p = reflection_problem(what, gamma); !p.empty()) return p;
    }
    if (!(finite(k.s21) && std::norm(k.s21) > 0))
        return problem("the DUT's S21", k.s21, "a gain is finite and above 0");
    if (k.loss_in_s21 && !(finite(*k.loss_in_s21) && std::norm(*k.loss_in_s21) > 0 &&
                           std::norm(*k.loss_in_s21) <= 1))
        return problem("S21 of the loss before the DUT", *k.loss_in_s21,
                       "a loss passes more than 0 and at most 1");
    if (k.loss_in_s12 && !(finite(*k.loss_in_s12) && std::norm(*k.loss_in_s12) > 0 &&
                           std::norm(*k.loss_in_s12) <= 1))
        return problem("S12 of the loss before the DUT", *k.loss_in_s12,
                       "a loss passes more than 0 and at most 1");
    if (k.noise) {
        const NoiseParameters& n = *k.noise;
        if (!(std::isfinite(n.fmin) && n.fmin >= 1))
            return problem("the DUT's minimum noise factor", n.fmin, "it is 1 (0 dB) or more");
        if (std::string p = reflection_problem("the DUT's optimum source reflection", n.gamma_opt);
            !p.empty())
            return p;
        if (!(std::isfinite(n.rn) && n.rn >= 0))
            return problem("the DUT's normalised noise resistance", n.rn, "it is 0 or more");
    }
    return {};
}

}  // namespace orlavex::measure
