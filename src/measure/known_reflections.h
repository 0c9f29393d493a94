// A measurement whose reflections at the DUT input are known in phase: the
// DUT's noise and gain against the source's on and off reflections as the
// trial loop evaluates them, the measurand they define, what the
// calibration source delivers, the source-match bias and the checks of
// their inputs.
#pragma once

#include "measure/setup.h"
#include "measure/units.h"

#include <string>

namespace orlavex::measure {

// A reflection coefficient as its real and imaginary parts: the trial loop
// works in plain arithmetic, which the compiler vectorises.
struct Reflection {
    double re = 0, im = 0;
};

// What a DUT gives a source of some reflection: the transducer gain GT and
// its own noise temperature T0 (F - 1) at that reflection.
struct DutNoise {
    double gain = 0, te_k = 0;
};

// The DUT of the known reflections and the source's on and off reflections
// seen at its input through the nominal loss before it.
struct ReflectedDut {
    Reflection s11, on, off;
    double s21_norm = 0;  // |S21|^2
    // F(G) = fmin + noise_scale |G - gamma_opt|^2 / (1 - |G|^2), with
    // noise_scale = 4 rn / |1 + gamma_opt|^2; without noise parameters
    // noise_scale is 0 and fmin the DUT's fixed noise factor.
    double fmin = 1, noise_scale = 0;
    Reflection gamma_opt;

    // At the source reflection S scaled by SHRINK: a loss before the DUT
    // larger than the nominal by a factor shrinks what the DUT sees by it.
    DutNoise at(Reflection s, double shrink) const {
        const double re = s.re * shrink, im = s.im * shrink;
        const double available = 1 - (re * re + im * im);
        // 1 - S11 G.
        const double dr = 1 - (s11.re * re - s11.im * im), di = s11.re * im + s11.im * re;
        const double xr = re - gamma_opt.re, xi = im - gamma_opt.im;
        const double f = fmin + noise_scale * (xr * xr + xi * xi) / available;
        return {s21_norm * available / (dr * dr + di * di), T0 * (f - 1)};
    }
};

// The set-up's known reflections as the trial loop takes them; SETUP has
// them.
ReflectedDut reflected_dut(const MeasurementSetup& setup);

// The measurand: F(0) with known reflections (from the noise parameters, or
// the set-up's DUT noise figure without them), else the DUT noise figure.
double measurand_noise_factor(const MeasurementSetup& setup);
double measurand_nf_db(const MeasurementSetup& setup);

// The share of its available excess noise the calibration source delivers
// into the analyzer chain: 1 - |Gamma_on|^2 at the calibration frequency
// when the source with known reflections calibrates, else 1.
double calibration_acceptance(const MeasurementSetup& setup);

// The source-match bias e0 = db(F_dut observed) - db(F(0)) with every error
// zero and the second-stage correction on (without it the offset of the
// uncorrected figure would add): the systematic error the known reflections
// make. 0 without known reflections; NaN where the measurement gives no
// valid result.
double source_match_bias_db(const MeasurementSetup& setup);

// Empty when the known reflections (if any) are physical; otherwise one
// line saying which is wrong and why. They are refused with an image
// response.
std::string reflections_problem(const MeasurementSetup& setup);

}  // namespace orlavex::measure
