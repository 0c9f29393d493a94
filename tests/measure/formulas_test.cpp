// The closed-form relations: match, analyzer noise level, Friis, Y factor.
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/match.h"
#include "measure/units.h"
#include "measure/y_factor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace orlavex::measure {
namespace {

TEST(Reflection, FromVswrAndFromReturnLoss) {
    EXPECT_DOUBLE_EQ(reflection(2.0, true), 1.0 / 3.0);
    EXPECT_DOUBLE_EQ(reflection(1.0, true), 0.0);
    EXPECT_DOUBLE_EQ(reflection(20.0, false), 0.1);
    // A return loss is a loss: the sign typed does not matter.
    EXPECT_DOUBLE_EQ(reflection(-20.0, false), 0.1);
    // VSWR 1.5 and its return loss of 13.98 dB describe the same port.
    EXPECT_NEAR(reflection(-20 * std::log10(0.2), false), reflection(1.5, true), 1e-15);
}

TEST(Mismatch, WorstCaseAndPhaseForms) {
    const double ga = 0.2, gb = 0.3;
    EXPECT_DOUBLE_EQ(mismatch_db(ga, gb), -20 * std::log10(1 - 0.06));
    // In phase the reflections subtract from the incident wave: the classic
    // worst case; in anti-phase they add.
    EXPECT_NEAR(mismatch_db(ga, gb, 0.0), mismatch_db(ga, gb), 1e-12);
    EXPECT_NEAR(mismatch_db(ga, gb, std::numbers::pi), -20 * std::log10(1.06), 1e-12);
    EXPECT_NEAR(mismatch_db(ga, gb, std::numbers::pi / 2), -10 * std::log10(1 + 0.0036), 1e-12);
    EXPECT_EQ(mismatch_db(0, gb, 1.0), 0.0);
}

TEST(Mismatch, StandardUncertaintyIsTheRmsOverAUniformPhase) {
    for (double a : {0.01, 0.05, 0.1}) {
        const int steps = 100000;
        double mean = 0, square = 0;
        for (int i = 0; i < steps; ++i) {
            const double m = mismatch_db(a, 1, 2 * std::numbers::pi * (i + 0.5) / steps);
            mean += m / steps;
            square += m * m / steps;
        }
        const double rms = std::sqrt(square - mean * mean);
        EXPECT_NEAR(mismatch_std_db(a, 1) / rms, 1.0, 0.01) << a;
        EXPECT_DOUBLE_EQ(mismatch_std_db(a, 0.5), mismatch_std_db(a * 0.5, 1));
    }
}

TEST(AnalyzerNoise, LevelAndNoiseFigureConvertBothWays) {
    // -150 dBm/Hz + 173.98 + 2.51 - 0.27 dB.
    EXPECT_NEAR(noise_figure_from_level(-150), 26.22, 1e-12);
    EXPECT_EQ(noise_figure_from_level(150), noise_figure_from_level(-150));
    EXPECT_NEAR(level_from_noise_figure(26.22), -150, 1e-12);
    for (double nf : {0.0, 11.5, 60.0})
        EXPECT_NEAR(noise_figure_from_level(level_from_noise_figure(nf)), nf, 1e-12);
}

TEST(Cascade, FriisAndItsInverse) {
    // 3 dB DUT with 20 dB gain before a 10 dB analyzer.
    const double f = cascade(lin(3), lin(10), lin(20));
    EXPECT_DOUBLE_EQ(f, lin(3) + 9.0 / 100.0);
    EXPECT_DOUBLE_EQ(remove_second_stage(f, lin(10), lin(20)), lin(3));
    // A noiseless second stage adds nothing.
    EXPECT_EQ(cascade(2.0, 1.0, 0.5), 2.0);
}

TEST(YFactor, ClassicPredictionAndEvaluationAreInverse) {
    const double enr_eff = effective_enr_db(15, 290);
    EXPECT_EQ(enr_eff, db(lin(15)));
    for (double nf : {0.5, 8.0, 14.0, 25.0}) {
        const double y = y_factor_db(enr_eff, nf);
        EXPECT_NEAR(noise_figure_from_y_db(enr_eff, y), nf, 1e-9) << nf;
    }
    // A colder source has the larger effective ENR.
    EXPECT_GT(effective_enr_db(15, 250), effective_enr_db(15, 290));
    EXPECT_NEAR(on_temperature_k(enr_eff, 290), hot_temperature_k(lin(15)), 1e-9);
    EXPECT_NEAR(source_on_power_db(15), db(lin(15) + 1), 1e-15);
}

TEST(YFactor, GainIsTheRatioOfTheExcessPowers) {
    // Excess 10 mW - 1 mW at calibration, 100 mW - 10 mW at measurement.
    EXPECT_NEAR(gain_from_levels(10, 0, 20, 10), 10.0, 1e-12);
    // The same levels 3 dB up give the same gain.
    EXPECT_NEAR(gain_from_levels(13, 3, 23, 13), 10.0, 1e-12);
}

TEST(YFactor, ExactAndFirstOrderDifferByTcOverT0MinusOne) {
    for (double tc : {250.0, 290.0, 296.15, 373.15}) {
        for (double enr_db : {5.0, 15.0, 25.0}) {
            for (double y : {1.05, 2.0, 10.0}) {
                const double e = lin(enr_db);
                const double first = noise_factor_first_order(e, y, tc);
                const double exact = noise_factor_exact(e, y, tc);
                EXPECT_NEAR(first - exact, tc / T0 - 1, 1e-12 * first) << tc << " " << enr_db;
            }
        }
    }
}

TEST(YFactor, ExactFormInvertsThePredictedYForAnyColdTemperature) {
    for (double tc : {77.0, 290.0, 320.0}) {
        for (double f : {1.1, 4.0, 40.0}) {
            const double e = lin(15);
            const double y = y_factor_exact(hot_temperature_k(e), tc, noise_temperature_k(f));
            EXPECT_NEAR(noise_factor_exact(e, y, tc), f, 1e-9 * f) << tc << " " << f;
        }
    }
    // The first-order form is right only at 290 K.
    const double y = y_factor_exact(hot_temperature_k(lin(15)), 320, noise_temperature_k(4));
    EXPECT_GT(std::fabs(noise_factor_first_order(lin(15), y, 320) - 4), 0.1);
}

}  // namespace
}  // namespace orlavex::measure
