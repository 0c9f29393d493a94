#include "measure/simulation.h"

#include "measure/cascade.h"
#include "measure/manual_evaluation.h"
#include "measure/units.h"
#include "measure/y_factor.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace orlavex::measure {
namespace {

using test_support::amplifier;

std::vector<MeasurementSetup> varied_setups() {
    std::vector<MeasurementSetup> out;
    for (double tc : {250.0, 290.0, 310.0}) {
        for (double gain : {-3.0, 0.0, 15.0, 40.0}) {
            MeasurementSetup s = amplifier();
            s.tc_k = tc;
            s.dut_gain_db = gain;
            s.dut_nf_db = gain < 0 ? 3.5 : 8;
            out.push_back(s);
        }
    }
    MeasurementSetup converting = amplifier();
    converting.freq_converting = true;
    converting.enr_cal_db = 14.2;  // the ENR table differs at the two frequencies
    converting.enr_meas_db = 15.6;
    out.push_back(converting);
    return out;
}

TEST(Simulation, WithoutErrorsTheCorrectedMeasurementGivesTheDutBack) {
    for (const MeasurementSetup& s : varied_setups()) {
        EXPECT_NEAR(measurement_error_db(s, {}), 0.0, 1e-12)
            << "Tc " << s.tc_k << " G " << s.dut_gain_db << " conv " << s.freq_converting;
    }
}

TEST(Simulation, WithoutErrorsAndCorrectionTheClassicOffsetRemains) {
    for (MeasurementSetup s : varied_setups()) {
        s.second_stage = false;
        const double f_sys = cascade(lin(s.dut_nf_db), lin(s.analyzer_nf_db), lin(s.dut_gain_db));
        EXPECT_NEAR(measurement_error_db(s, {}), db(f_sys) - s.dut_nf_db, 1e-12)
            << "Tc " << s.tc_k << " G " << s.dut_gain_db;
    }
}

TEST(Simulation, ReadingsFollowTheNoiseTemperatures) {
    MeasurementSetup s = amplifier();
    s.tc_k = 300;
    const Readings r = simulate_readings(s, {});
    const double ta = noise_temperature_k(lin(s.analyzer_nf_db));
    const double td = noise_temperature_k(lin(s.dut_nf_db));
    const double th = hot_temperature_k(lin(s.enr_cal_db));
    const double g = lin(s.dut_gain_db);
    EXPECT_NEAR(r.p1, 300 + ta, 1e-9);
    EXPECT_NEAR(r.p2, th + ta, 1e-9);
    EXPECT_NEAR(r.p3, g * (300 + td) + ta, 1e-9);
    EXPECT_NEAR(r.p4, g * (th + td) + ta, 1e-6);
}

TEST(Simulation, GainErrorsScaleBothMeasurementReadings) {
    const MeasurementSetup s = amplifier();
    const Readings clean = simulate_readings(s, {});
    ErrorDraw d;
    d.dG = 0.2;
    d.m_out = 0.1;
    const Readings r = simulate_readings(s, d);
    EXPECT_EQ(r.p1, clean.p1);
    EXPECT_EQ(r.p2, clean.p2);
    EXPECT_NEAR(r.p3 / clean.p3, lin(0.3), 1e-12);
    EXPECT_NEAR(r.p4 / clean.p4, lin(0.3), 1e-12);
    // The measurement Y factor is left alone; without correction, so is the
    // result.
    MeasurementSetup uncorrected = s;
    uncorrected.second_stage = false;
    EXPECT_NEAR(measurement_error_db(uncorrected, d), measurement_error_db(uncorrected, {}), 1e-12);
    // With correction a gain read too high under-corrects: the DUT reads high.
    EXPECT_GT(measurement_error_db(s, d), 0.0);
}

TEST(Simulation, ErrorsMoveTheResultTheWayTheyShould) {
    MeasurementSetup uncorrected = amplifier();
    uncorrected.second_stage = false;
    ErrorDraw analyzer_high;
    analyzer_high.da_meas = 0.3;
    // The analyzer's noise-figure error passes straight into the result.
    EXPECT_NEAR(
        measurement_error_db(uncorrected, analyzer_high) - measurement_error_db(uncorrected, {}),
        0.3, 1e-12);

    const MeasurementSetup s = amplifier();
    ErrorDraw hotter;
    hotter.dENR_cal = hotter.dENR_meas = 0.2;
    // A source hotter than its label raises Y: the DUT looks better.
    EXPECT_LT(measurement_error_db(s, hotter), 0.0);
    ErrorDraw more_power_in;
    more_power_in.m_in = 0.1;
    EXPECT_LT(measurement_error_db(s, more_power_in), 0.0);
}

TEST(Simulation, NoValidResultWhenTheYFactorIsOneOrLess) {
    MeasurementSetup s = amplifier();
    s.dut_nf_db = 30;  // Y about 1.03
    ErrorDraw d;
    d.eps[2] = 0.1;  // meas-off reading 10 % high
    EXPECT_TRUE(std::isnan(measurement_error_db(s, d)));
    ErrorDraw cal;
    cal.eps[0] = 5;  // calibration off reading above the on reading
    EXPECT_TRUE(std::isnan(measurement_error_db(amplifier(), cal)));
    // Without correction the calibration is not needed.
    MeasurementSetup uncorrected = amplifier();
    uncorrected.second_stage = false;
    EXPECT_FALSE(std::isnan(measurement_error_db(uncorrected, cal)));
}

TEST(ExactEvaluation, WindowStartUpLevelsGiveTheStartUpDut) {
    // The levels the calculator predicts at start-up, as its fields show them.
    const ExactEvaluation e = evaluate_exact(-97.396, -102.5, -83.163, -90.723, 15, 15, 290, true);
    ASSERT_TRUE(e.valid);
    EXPECT_NEAR(e.nf_dut_db, 8.00, 0.005);
    EXPECT_NEAR(e.gain_db, 15.00, 0.005);
    EXPECT_NEAR(e.nf_sa_db, 11.50, 0.005);
}

TEST(ExactEvaluation, RecoversTheDutFromReadingsOfAWarmSource) {
    MeasurementSetup s = amplifier();
    s.tc_k = 310;
    const Readings r = simulate_readings(s, {});
    const ExactEvaluation e =
        evaluate_exact(db(r.p2), db(r.p1), db(r.p4), db(r.p3), 15, 15, 310, true);
    ASSERT_TRUE(e.valid);
    EXPECT_NEAR(e.nf_dut_db, 8, 1e-9);
    EXPECT_NEAR(e.gain_db, 15, 1e-9);
    EXPECT_NEAR(e.nf_sa_db, 11.5, 1e-9);
    // Taking the source for 290 K misreads the same levels.
    const ExactEvaluation wrong =
        evaluate_exact(db(r.p2), db(r.p1), db(r.p4), db(r.p3), 15, 15, 290, true);
    EXPECT_GT(std::fabs(wrong.nf_dut_db - 8), 0.05);
}

TEST(ExactEvaluation, WithoutCorrectionTheSystemIsTheResult) {
    const ExactEvaluation e = evaluate_exact(-97.396, -102.5, -83.163, -90.723, 15, 15, 290, false);
    ASSERT_TRUE(e.valid);
    EXPECT_EQ(e.nf_dut_db, e.nf_sys_db);
    EXPECT_NEAR(e.nf_sys_db, 8.28, 0.005);
    // Without a calibration Y factor above 1 it still gives the system.
    const ExactEvaluation no_cal =
        evaluate_exact(-103, -102.5, -83.163, -90.723, 15, 15, 290, false);
    EXPECT_TRUE(no_cal.valid);
    EXPECT_TRUE(std::isnan(no_cal.nf_sa_db));
    EXPECT_FALSE(evaluate_exact(-103, -102.5, -83.163, -90.723, 15, 15, 290, true).valid);
    EXPECT_FALSE(evaluate_exact(-97.396, -102.5, -91, -90.723, 15, 15, 290, true).valid);
}

}  // namespace
}  // namespace orlavex::measure
