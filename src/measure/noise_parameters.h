// A two-port's noise factor against the reflection of the source that
// drives it, and the gain it gives that source: the relations behind a
// measurement whose reflections are known in phase as well as magnitude.
// Every reflection is against one real reference resistance (50 ohms here)
// and below 1 in magnitude, as a passive source's is.
#pragma once

#include <complex>
#include <optional>

namespace orlavex::measure {

struct NoiseParameters {
    double fmin;                     // the minimum noise factor, a ratio
    std::complex<double> gamma_opt;  // the source reflection that gives it
    double rn;                       // the noise resistance over the reference resistance
    bool operator==(const NoiseParameters&) const = default;
};

// The parameters from a data sheet's or a Touchstone file's NFmin in dB.
NoiseParameters noise_parameters_from_db(double nfmin_db, std::complex<double> gamma_opt,
                                         double rn);

// F(Gamma) = Fmin + 4 rn |Gamma - Gamma_opt|^2 / ((1 - |Gamma|^2) |1 + Gamma_opt|^2).
// NaN for |gamma| of 1 or more, or not finite.
double noise_factor(const NoiseParameters& p, std::complex<double> gamma);

// The transducer gain into a reflectionless load from a source of reflection
// gamma: GT(Gamma) = |S21|^2 (1 - |Gamma|^2) / |1 - S11 Gamma|^2. NaN for
// |gamma| of 1 or more, or not finite.
double transducer_gain(std::complex<double> s11, std::complex<double> s21,
                       std::complex<double> gamma);

// A DUT as its source sees it.
struct DutAtInput {
    std::complex<double> s11;
    std::complex<double> s21;
    // Its noise parameters; without them the noise factor `f` holds
    // whatever the source's reflection.
    std::optional<NoiseParameters> noise;
    double f = 1;
};

// F(Gamma) from the noise parameters, or the DUT's fixed noise factor.
double noise_factor(const DutAtInput& dut, std::complex<double> gamma);

// N(Gamma, T) = GT(Gamma) (T + T0 (F(Gamma) - 1)): the noise the DUT
// delivers into a reflectionless load, as a temperature (K), from a source
// of reflection gamma whose available noise temperature is source_k.
double output_noise_k(const DutAtInput& dut, std::complex<double> gamma, double source_k);

}  // namespace orlavex::measure
