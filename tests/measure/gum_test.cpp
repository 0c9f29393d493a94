#include "measure/gum.h"

#include "measure/cascade.h"
#include "measure/match.h"
#include "measure/monte_carlo.h"
#include "measure/units.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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

double enr_contribution(const Budget& b) {
    double sum = 0;
    for (const BudgetLine& l : b.lines) {
        if (l.source.starts_with("enr")) sum += l.u_i_db * l.u_i_db;
    }
    return std::sqrt(sum);
}

TEST(GumBudget, ListsEverySourceWithItsStandardUncertainty) {
    MeasurementSetup s = amplifier();
    s.noise_bw_hz = 1e6;
    s.tau_s = 0.04;
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    const char* names[] = {"enr",
                           "mismatch_in",
                           "mismatch_cal",
                           "mismatch_out",
                           "analyzer_nf_meas",
                           "analyzer_nf_cal",
                           "analyzer_gain",
                           "jitter_cal_off",
                           "jitter_cal_on",
                           "jitter_meas_off",
                           "jitter_meas_on"};
    ASSERT_EQ(b.lines.size(), std::size(names));
    for (std::size_t i = 0; i < b.lines.size(); ++i)
        EXPECT_EQ(b.lines[i].source, names[i]);
    EXPECT_DOUBLE_EQ(line(b, "enr").u, 0.05);
    EXPECT_DOUBLE_EQ(line(b, "mismatch_in").u, 20 / std::log(10.0) * 0.007 / std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(line(b, "mismatch_out").u, mismatch_std_db(0.15, 0.17));
    EXPECT_DOUBLE_EQ(line(b, "analyzer_nf_meas").u, 0.025);
    EXPECT_DOUBLE_EQ(line(b, "analyzer_gain").u, 0.075);
    EXPECT_DOUBLE_EQ(line(b, "jitter_meas_on").u, 1 / std::sqrt(1e6 * 0.04));

    s.spec_shape = SpecShape::rectangular;
    const Budget rect = gum_budget(s);
    EXPECT_DOUBLE_EQ(line(rect, "analyzer_nf_cal").u, 0.05 / std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(line(rect, "analyzer_gain").u, 0.15 / std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(line(rect, "enr").u, 0.05);  // certificates stay normal
}

TEST(GumBudget, CombinesRootSumSquareAndExpandsWithTwo) {
    MeasurementSetup s = amplifier();
    s.noise_bw_hz = 4e6;
    s.tau_s = 0.01;
    const Budget b = gum_budget(s);
    double sum = 0, shares = 0;
    for (const BudgetLine& l : b.lines) {
        EXPECT_DOUBLE_EQ(l.u_i_db, std::fabs(l.c) * l.u) << l.source;
        sum += l.u_i_db * l.u_i_db;
        shares += l.share;
    }
    EXPECT_DOUBLE_EQ(b.u_c_db, std::sqrt(sum));
    EXPECT_EQ(b.k, 2.0);
    EXPECT_DOUBLE_EQ(b.U_db, 2 * b.u_c_db);
    EXPECT_NEAR(shares, 1.0, 1e-12);
    EXPECT_NEAR(b.offset_db, 0.0, 1e-12);
}

TEST(GumBudget, SensitivitiesOfTheUncorrectedMeasurement) {
    MeasurementSetup s = amplifier();
    s.second_stage = false;
    const Budget b = gum_budget(s);
    // The analyzer's error in the measurement passes through one to one; the
    // calibration is not used.
    EXPECT_NEAR(line(b, "analyzer_nf_meas").c, 1.0, 1e-6);
    EXPECT_EQ(line(b, "analyzer_nf_cal").c, 0.0);
    EXPECT_EQ(line(b, "mismatch_cal").c, 0.0);
    EXPECT_NEAR(line(b, "analyzer_gain").c, 0.0, 1e-9);
    const double f_sys = cascade(lin(8), lin(11.5), lin(15));
    EXPECT_NEAR(b.offset_db, db(f_sys) - 8, 1e-12);
}

TEST(GumBudget, FrequencyConversionSeparatesTheEnrDrawsAndItsContributionGrows) {
    // A mixer with 6 dB conversion loss: the analyzer's share of the system
    // noise is large, and with one ENR for both steps its ENR error largely
    // cancels between calibration and measurement.
    MeasurementSetup s = amplifier();
    s.dut_gain_db = -6;
    s.dut_nf_db = 7;
    const Budget same = gum_budget(s);
    s.freq_converting = true;
    const Budget converting = gum_budget(s);
    ASSERT_TRUE(converting.valid);
    EXPECT_EQ(converting.lines[0].source, "enr_cal");
    EXPECT_EQ(converting.lines[1].source, "enr_meas");
    EXPECT_GT(enr_contribution(converting), 3 * enr_contribution(same));
    EXPECT_GT(converting.u_c_db, same.u_c_db);
    // With a high-gain DUT the calibration matters little: still no less.
    MeasurementSetup amp = amplifier();
    const double amp_same = enr_contribution(gum_budget(amp));
    amp.freq_converting = true;
    EXPECT_GT(enr_contribution(gum_budget(amp)), amp_same);
}

TEST(GumBudget, JitterGrowsWithoutBoundAsYApproachesOne) {
    MeasurementSetup s = amplifier();
    s.noise_bw_hz = 4e6;
    s.tau_s = 0.01;
    double previous = 0;
    for (double nf : {10.0, 20.0, 30.0, 40.0, 50.0}) {
        s.dut_nf_db = nf;
        const Budget b = gum_budget(s);
        ASSERT_TRUE(b.valid) << nf;
        EXPECT_GT(b.u_c_db, previous) << nf;
        previous = b.u_c_db;
    }
    EXPECT_GT(previous, 50.0);  // Y - 1 of about 3e-4 at 50 dB

    // Without jitter the same set-ups stay within a fraction of a dB.
    s.noise_bw_hz = 0;
    EXPECT_LT(gum_budget(s).u_c_db, 0.5);
}

TEST(GumBudget, NoBudgetForAnInvalidMeasurement) {
    MeasurementSetup s = amplifier();
    s.dut_gain_db = -20;
    s.dut_nf_db = 20;
    s.analyzer_nf_db = 45;  // Y of the system indistinguishable from 1
    s.enr_cal_db = s.enr_meas_db = 5;
    EXPECT_FALSE(gum_budget(s).valid);
}

TEST(GumAndMonteCarlo, AgreeInTheLinearRegime) {
    MeasurementSetup s = amplifier();
    s.noise_bw_hz = 4e6;
    s.tau_s = 0.01;
    for (bool second_stage : {true, false}) {
        s.second_stage = second_stage;
        const Budget b = gum_budget(s);
        const MonteCarloResult mc = monte_carlo(s, {.trials = 200000});
        EXPECT_NEAR(mc.std_db / b.u_c_db, 1.0, 0.03) << second_stage;
        EXPECT_NEAR(mc.mean_db, b.offset_db, 0.1 * b.u_c_db);
        EXPECT_EQ(mc.invalid, 0u);
        // Near normal: the 95 % interval is about +-1.96 u_c around the mean.
        EXPECT_NEAR((mc.interval_hi_db - mc.interval_lo_db) / (2 * 1.96 * b.u_c_db), 1.0, 0.05);
    }
}

TEST(GumAndMonteCarlo, PartNearYOfOne) {
    MeasurementSetup s = amplifier();
    s.noise_bw_hz = 1e6;
    s.tau_s = 0.01;
    s.dut_nf_db = 28;  // Y about 1.05, jitter 1 % per reading
    const Budget b = gum_budget(s);
    const MonteCarloResult mc = monte_carlo(s, {.trials = 50000});
    // The error is skewed: the upper tail reaches further than the lower,
    // the shortest interval sits lower than the symmetric one, and the
    // spread exceeds the linearised budget.
    EXPECT_GT(mc.interval_hi_db - mc.mean_db, 1.3 * (mc.mean_db - mc.interval_lo_db));
    EXPECT_LT(mc.shortest_hi_db, mc.interval_hi_db);
    EXPECT_LT(mc.shortest_lo_db, mc.interval_lo_db);
    EXPECT_GT(mc.std_db / b.u_c_db, 1.08);
}

}  // namespace
}  // namespace orlavex::measure
