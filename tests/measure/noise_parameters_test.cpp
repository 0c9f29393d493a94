#include "measure/noise_parameters.h"

#include "measure/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace orlavex::measure {
namespace {

using C = std::complex<double>;

C polar_deg(double magnitude, double deg) {
    return std::polar(magnitude, deg * M_PI / 180);
}

// The model's LNA: NFmin 0.4 dB, Gamma_opt 0.3 at 40 degrees, rn 0.15.
const NoiseParameters lna = noise_parameters_from_db(0.4, polar_deg(0.3, 40), 0.15);

const NoiseParameters parameter_sets[] = {
    lna,
    noise_parameters_from_db(1.2, polar_deg(0.6, -150), 0.4),
    noise_parameters_from_db(0, C(0, 0), 0.05),
    noise_parameters_from_db(3, polar_deg(0.95, 100), 2),
};

const C source_reflections[] = {C(0, 0),
                                polar_deg(0.05, 30),
                                polar_deg(0.12, -80),
                                polar_deg(0.5, 180),
                                polar_deg(0.9, 45),
                                polar_deg(0.99, -120)};

TEST(NoiseParameters, AtGammaOptTheNoiseFactorIsFminAndNowhereLower) {
    for (const NoiseParameters& p : parameter_sets) {
        SCOPED_TRACE(p.fmin);
        EXPECT_EQ(noise_factor(p, p.gamma_opt), p.fmin);
        for (const C gamma : source_reflections) {
            if (gamma != p.gamma_opt) {
                EXPECT_GT(noise_factor(p, gamma), p.fmin) << gamma;
            }
        }
    }
}

TEST(NoiseParameters, AReflectionlessSourceGivesTheDataSheetFigure) {
    EXPECT_NEAR(db(noise_factor(lna, 0)), 0.54, 0.005);
    EXPECT_NEAR(db(noise_factor(lna, 0)), 0.535874990894073, 1e-12);
}

// The same noise factor in admittances: F = Fmin + (Rn / Gs) |Ys - Yopt|^2
// with Y = (1 - Gamma) / ((1 + Gamma) 50 ohms) and Rn = 50 ohms rn.
TEST(NoiseParameters, TheReflectionFormAgreesWithTheAdmittanceForm) {
    const auto admittance = [](C gamma) { return (1.0 - gamma) / ((1.0 + gamma) * 50.0); };
    for (const NoiseParameters& p : parameter_sets) {
        for (const C gamma : source_reflections) {
            SCOPED_TRACE(gamma);
            const C ys = admittance(gamma);
            const double f =
                p.fmin + p.rn * 50 / ys.real() * std::norm(ys - admittance(p.gamma_opt));
            EXPECT_NEAR(noise_factor(p, gamma), f, 1e-12 * f);
        }
    }
}

TEST(TransducerGain, IsS21SquaredFromAReflectionlessSourceAndMoreWhenConjugateMatched) {
    const struct {
        C s11, s21;
    } duts[] = {{polar_deg(0.5, -60), polar_deg(10, 120)},
                {polar_deg(0.9, 170), C(2, -3)},
                {C(0, 0), polar_deg(0.1, 0)}};
    for (const auto& dut : duts) {
        SCOPED_TRACE(dut.s11);
        EXPECT_NEAR(transducer_gain(dut.s11, dut.s21, 0), std::norm(dut.s21),
                    1e-15 * std::norm(dut.s21));
        // A source of reflection conj(S11) delivers |S21|^2 / (1 - |S11|^2).
        EXPECT_NEAR(transducer_gain(dut.s11, dut.s21, std::conj(dut.s11)),
                    std::norm(dut.s21) / (1 - std::norm(dut.s11)), 1e-12 * std::norm(dut.s21));
    }
}

TEST(OutputNoise, AYFactorAtAnyReflectionGivesTheNoiseFactorThere) {
    const C s11 = polar_deg(0.5, -60), s21 = polar_deg(10, 120);
    const DutAtInput with_parameters{s11, s21, lna, 1};
    const DutAtInput without{s11, s21, std::nullopt, lin(2.5)};
    const double hot = 9460, cold = 296.5;
    for (const DutAtInput* dut : {&with_parameters, &without}) {
        for (const C gamma : source_reflections) {
            SCOPED_TRACE(gamma);
            // The gain cancels from the ratio: Te = (Th - Y Tc) / (Y - 1).
            const double y = output_noise_k(*dut, gamma, hot) / output_noise_k(*dut, gamma, cold);
            const double f = 1 + (hot - y * cold) / (y - 1) / T0;
            EXPECT_NEAR(f, noise_factor(*dut, gamma), 1e-11);
        }
    }
    EXPECT_EQ(noise_factor(without, polar_deg(0.9, 45)), lin(2.5));
    // 100 (290 K + 290 K (2 - 1)) from a reflectionless source.
    EXPECT_NEAR(output_noise_k({0, 10, std::nullopt, 2}, 0, 290), 58000, 1e-9);
}

TEST(NoiseParameters, NoPassiveSourceReflectsWholly) {
    const DutAtInput flat{0.5, 10, std::nullopt, 2};
    for (const C gamma : {C(1, 0), C(0, 1), C(-1, 0), C(0, -1.5), C(NAN, 0), C(0, INFINITY)}) {
        SCOPED_TRACE(gamma);
        EXPECT_TRUE(std::isnan(noise_factor(lna, gamma)));
        EXPECT_TRUE(std::isnan(transducer_gain(0.5, 10, gamma)));
        EXPECT_TRUE(std::isnan(noise_factor(flat, gamma)));
        EXPECT_TRUE(std::isnan(output_noise_k(flat, gamma, 290)));
    }
}

}  // namespace
}  // namespace orlavex::measure
