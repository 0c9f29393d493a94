// The bench around the DUT: losses before and after it at their physical
// temperatures, and a measurement source other than the calibration's.
#include "measure/bench.h"

#include "measure/gum.h"
#include "measure/match.h"
#include "measure/monte_carlo.h"
#include "measure/random_stream.h"
#include "measure/simulation.h"
#include "measure/units.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace orlavex::measure {
namespace {

using test_support::amplifier;

const BudgetLine& line(const Budget& b, std::string_view source) {
    for (const BudgetLine& l : b.lines) {
        if (l.source == source) return l;
    }
    ADD_FAILURE() << "no line " << source;
    return b.lines.front();
}

MeasurementSetup with_losses(double in_db, double in_k, double out_db, double out_k) {
    MeasurementSetup s = amplifier();
    s.loss_in = {.loss_db = in_db, .temperature_k = in_k};
    s.loss_out = {.loss_db = out_db, .temperature_k = out_k};
    return s;
}

// Every error a draw has, at a random value of about its usual size.
ErrorDraw random_draw(RandomStream& r) {
    ErrorDraw d;
    d.dENR_cal = 0.1 * r.normal();
    d.dENR_meas = 0.1 * r.normal();
    d.m_in = 0.05 * r.normal();
    d.m_cal = 0.05 * r.normal();
    d.m_out = 0.05 * r.normal();
    d.da_meas = 0.05 * r.normal();
    d.da_cal = 0.05 * r.normal();
    d.dG = 0.1 * r.normal();
    for (double& eps : d.eps)
        eps = 0.002 * r.normal();
    return d;
}

TEST(BenchLosses, WithoutErrorsTheDutComesBackAtAnyLossTemperature) {
    for (double t_in : {77.0, 290.0, 350.0}) {
        for (double t_out : {77.0, 350.0}) {
            for (double gain : {-6.0, 15.0, 40.0}) {
                for (double tc : {290.0, 310.0}) {
                    MeasurementSetup s = with_losses(2.5, t_in, 1.2, t_out);
                    s.dut_gain_db = gain;
                    s.tc_k = tc;
                    EXPECT_NEAR(measurement_error_db(s, {}), 0.0, 1e-11)
                        << t_in << " K / " << t_out << " K, G " << gain << ", Tc " << tc;
                }
            }
        }
    }
    // A separate measurement source with another ENR, and a mixer.
    MeasurementSetup s = with_losses(3, 77, 0.5, 350);
    s.meas_source = {.separate = true, .enr_unc_db = 0.2, .gamma = 0.1};
    s.enr_meas_db = 5.2;
    EXPECT_NEAR(measurement_error_db(s, {}), 0.0, 1e-11);
    s.freq_converting = true;
    s.dut_gain_db = -7;
    EXPECT_NEAR(measurement_error_db(s, {}), 0.0, 1e-11);
}

TEST(BenchLosses, AnInputLossAt290KIsAMeasurementEnrLoweredByIt) {
    // With the source off at 290 K a 290 K loss adds as much noise as it
    // takes away from the off state: only the excess shrinks, as with a
    // weaker source.
    MeasurementSetup lossy = amplifier();
    lossy.loss_in = {.loss_db = 3.7, .temperature_k = 290};
    MeasurementSetup weaker = amplifier();
    weaker.enr_meas_db = amplifier().enr_meas_db - 3.7;
    RandomStream random(11, 0);
    for (int i = 0; i < 200; ++i) {
        const ErrorDraw d = random_draw(random);
        EXPECT_NEAR(measurement_error_db(lossy, d), measurement_error_db(weaker, d), 1e-12) << i;
    }
    // A cold loss is not a weaker source: it also cools the off state.
    lossy.loss_in.temperature_k = 77;
    ErrorDraw d;
    d.dENR_meas = d.dENR_cal = 0.1;
    EXPECT_GT(std::fabs(measurement_error_db(lossy, d) - measurement_error_db(weaker, d)), 1e-4);
}

TEST(BenchLosses, AnInputLossUncertaintyPassesNearlyOneForOne) {
    MeasurementSetup s = amplifier();
    s.dut_gain_db = 40;
    s.loss_in = {.loss_db = 1, .unc_db = 0.1};
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    const BudgetLine& l = line(b, "loss_in");
    EXPECT_DOUBLE_EQ(l.u, 0.05);
    EXPECT_GT(l.c, 0.9);  // more loss than taken for: the DUT reads worse
    EXPECT_LT(l.c, 1.1);
    // A loss after a 40 dB gain hardly matters.
    s.loss_out = {.loss_db = 1, .unc_db = 0.1};
    EXPECT_LT(std::fabs(line(gum_budget(s), "loss_out").c), 0.01);
}

TEST(BenchLosses, OnlyABenchWithALossListsItsLine) {
    MeasurementSetup s = amplifier();
    std::size_t plain = gum_budget(s).lines.size();
    s.loss_out.loss_db = 2;
    const Budget b = gum_budget(s);
    ASSERT_EQ(b.lines.size(), plain + 1);
    EXPECT_EQ(b.lines.back().source, "loss_out");
}

TEST(BenchLosses, ALossWithoutUncertaintyShowsWhatCalibratingItWouldBeWorth) {
    // A 3 dB loss after a 10 dB amplifier: its sensitivity is far from 0
    // although no uncertainty was given for it.
    MeasurementSetup s = amplifier();
    s.dut_gain_db = 10;
    s.loss_out.loss_db = 3;
    const Budget b = gum_budget(s);
    const BudgetLine& l = line(b, "loss_out");
    EXPECT_EQ(l.u, 0.0);
    EXPECT_EQ(l.u_i_db, 0.0);
    EXPECT_EQ(l.share, 0.0);
    EXPECT_GT(std::fabs(l.c), 0.01);
    EXPECT_EQ(l.note, "no uncertainty given");
    s.loss_out.unc_db = 0.1;
    EXPECT_DOUBLE_EQ(line(gum_budget(s), "loss_out").c, l.c);
}

TEST(BenchLosses, MonteCarloAgreesWithGumWithBothLossesUncertain) {
    MeasurementSetup s = amplifier();
    s.loss_in = {.loss_db = 1.5, .temperature_k = 300, .unc_db = 0.3};
    s.loss_out = {.loss_db = 4, .temperature_k = 77, .unc_db = 0.6};
    s.dut_gain_db = 10;
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    EXPECT_GT(line(b, "loss_in").share, 0.3);
    // The gain measured through the loss after the DUT carries its error
    // too: in the correction only its own noise is left, small when cold.
    EXPECT_DOUBLE_EQ(line(b, "loss_out").u, 0.3);
    EXPECT_LT(line(b, "loss_out").share, 0.01);
    const MonteCarloResult mc = monte_carlo(s, {.trials = 200000});
    EXPECT_EQ(mc.invalid, 0u);
    EXPECT_NEAR(mc.std_db / b.u_c_db, 1.0, 0.03);
    EXPECT_NEAR(mc.mean_db, b.offset_db, 0.1 * b.u_c_db);
}

TEST(SeparateMeasurementSource, ItsEnrErrorIsItsOwnAndTheTwoAddUpToTheCommonOne) {
    MeasurementSetup common = amplifier();
    common.dut_gain_db = 5;  // the calibration's share of the result is large
    MeasurementSetup separate = common;
    separate.meas_source = {.separate = true, .enr_unc_db = 0.3, .gamma = common.gamma_source};
    const Budget one = gum_budget(common);
    const Budget two = gum_budget(separate);
    ASSERT_TRUE(one.valid && two.valid);
    const double c_cal = line(two, "enr_cal").c, c_meas = line(two, "enr_meas").c;
    EXPECT_NEAR(c_cal + c_meas, line(one, "enr").c, 1e-6);
    EXPECT_GT(std::fabs(c_cal), 0.05);
    EXPECT_DOUBLE_EQ(line(two, "enr_cal").u, 0.05);
    EXPECT_DOUBLE_EQ(line(two, "enr_meas").u, 0.15);
    // Its match is the one the DUT sees; the calibration keeps its source's.
    separate.meas_source.gamma = 0.3;
    const Budget matched = gum_budget(separate);
    EXPECT_DOUBLE_EQ(line(matched, "mismatch_in").u, mismatch_std_db(0.3, common.gamma_dut_in));
    EXPECT_DOUBLE_EQ(line(matched, "mismatch_cal").u, line(one, "mismatch_cal").u);
}

TEST(BenchLosses, APadBeforeTheDutShrinksTheSourceMismatchItSees) {
    MeasurementSetup s = amplifier();
    const Budget bare = gum_budget(s);
    s.loss_in.loss_db = 6;
    s.loss_out.loss_db = 3;
    const Budget padded = gum_budget(s);
    EXPECT_NEAR(line(bare, "mismatch_in").u / line(padded, "mismatch_in").u, std::pow(10, 0.6),
                1e-12);
    EXPECT_NEAR(line(bare, "mismatch_out").u / line(padded, "mismatch_out").u, std::pow(10, 0.3),
                1e-12);
    EXPECT_EQ(line(padded, "mismatch_cal").u, line(bare, "mismatch_cal").u);
}

TEST(EquivalentSetup, WhatTheCalculatorIsGivenForTheBench) {
    MeasurementSetup s = amplifier();
    EquivalentSetup e = equivalent_setup(s);
    ASSERT_TRUE(e.valid);
    EXPECT_NEAR(e.enr_db, s.enr_meas_db, 1e-12);  // no loss: the set-up itself
    EXPECT_EQ(e.tc_k, s.tc_k);
    EXPECT_NEAR(e.analyzer_nf_db, s.analyzer_nf_db, 1e-12);
    // 290 K losses: the ENR drops by the loss, a loss after the DUT is a
    // stage of noise figure L in front of the analyzer.
    s.loss_in.loss_db = 2;
    s.loss_out.loss_db = 3;
    e = equivalent_setup(s);
    EXPECT_NEAR(e.enr_db, 13, 1e-12);
    EXPECT_NEAR(e.tc_k, 290, 1e-12);
    EXPECT_NEAR(e.analyzer_nf_db, 14.5, 1e-12);
    // A cold input loss: half of 290 K and half of 77 K through 3.0103 dB.
    s.loss_in = {.loss_db = 10 * std::log10(2.0), .temperature_k = 77};
    e = equivalent_setup(s);
    EXPECT_NEAR(e.tc_k, (290 + 77) / 2.0, 1e-9);
    EXPECT_NEAR(e.enr_db, db(((lin(15) + 1) * 290 / 2 + 77 / 2.0 - 290) / 290), 1e-12);
    // A long cold cable after a weak source: nothing above T0 reaches the DUT.
    s.enr_meas_db = 1;
    s.loss_in = {.loss_db = 20, .temperature_k = 4};
    EXPECT_FALSE(equivalent_setup(s).valid);
}

TEST(BenchProblem, RefusesWhatNoBenchHas) {
    MeasurementSetup s = amplifier();
    EXPECT_EQ(bench_problem(s), "");
    s.loss_in.loss_db = -1;
    EXPECT_EQ(bench_problem(s),
              "loss before the DUT -1 dB: a loss is 0 dB or more (a gain is not a loss)");
    s = amplifier();
    s.loss_out.temperature_k = -3;
    EXPECT_EQ(bench_problem(s),
              "physical temperature of the loss after the DUT -3 K: a "
              "temperature is finite and 0 K or more");
    s.loss_out.temperature_k = std::nan("");
    EXPECT_NE(bench_problem(s).find("temperature"), std::string::npos);
    s = amplifier();
    s.loss_in.loss_db = INFINITY;
    EXPECT_NE(bench_problem(s).find("loss before"), std::string::npos);
    s = amplifier();
    s.loss_in.unc_db = -0.1;
    EXPECT_NE(bench_problem(s).find("uncertainty of the loss before"), std::string::npos);
    s = amplifier();
    s.loss_in.temperature_k = 0;  // 0 K is cold, not wrong
    EXPECT_EQ(bench_problem(s), "");
    s.meas_source = {.separate = true, .enr_unc_db = 0.1, .gamma = 1.2};
    EXPECT_NE(bench_problem(s).find("measurement noise source"), std::string::npos);
}

}  // namespace
}  // namespace orlavex::measure
