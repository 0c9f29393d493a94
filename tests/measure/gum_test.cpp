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
    s.model.noise_bw_hz = 1e6;
    s.model.tau_s = 0.04;
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

    s.model.spec_shape = SpecShape::rectangular;
    const Budget rect = gum_budget(s);
    EXPECT_DOUBLE_EQ(line(rect, "analyzer_nf_cal").u, 0.05 / std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(line(rect, "analyzer_gain").u, 0.15 / std::sqrt(3.0));
    EXPECT_DOUBLE_EQ(line(rect, "enr").u, 0.05);  // certificates stay normal
}

TEST(GumBudget, CombinesRootSumSquareAndExpandsWithTwo) {
    MeasurementSetup s = amplifier();
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
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
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
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
    s.model.noise_bw_hz = 0;
    EXPECT_LT(gum_budget(s).u_c_db, 0.5);
}

// The window's set-up of a DUT so lossy that its noise hardly lifts the
// analyzer's: Y - 1 of about 1e-4, within one difference step of the edge.
MeasurementSetup y_just_above_one() {
    MeasurementSetup s = amplifier();
    s.dut_nf_db = 53;
    s.dut_gain_db = -39.65;
    s.gamma_source = s.gamma_dut_in = s.gamma_dut_out = reflection(1.15, true);
    s.gamma_analyzer = reflection(1.4, true);
    return s;
}

TEST(GumBudget, SourcesWithoutUncertaintyKeepTheirSensitivityAndNeverInvalidateIt) {
    // Jitter off: a step of a reading by 1e-4 would take Y to 1 or below, so
    // the jitter lines' slopes are one-sided or undetermined; without an
    // uncertainty they add nothing and leave the budget valid.
    const Budget b = gum_budget(y_just_above_one());
    ASSERT_TRUE(b.valid);
    for (const char* jitter :
         {"jitter_cal_off", "jitter_cal_on", "jitter_meas_off", "jitter_meas_on"}) {
        const BudgetLine& l = line(b, jitter);
        EXPECT_EQ(l.u_i_db, 0.0) << jitter;
        EXPECT_FALSE(l.note.empty()) << jitter;
    }
    for (const BudgetLine& l : b.lines) {
        if (l.u > 0) {
            EXPECT_EQ(l.found, Sensitivity::central) << l.source;
        }
    }
    // The linearised budget of this set-up is what the Monte Carlo finds.
    const MonteCarloResult mc = monte_carlo(y_just_above_one(), {.trials = 50000});
    EXPECT_EQ(mc.invalid, 0u);
    EXPECT_NEAR(mc.std_db / b.u_c_db, 1.0, 0.05);
}

TEST(GumBudget, AStepOutOfTheValidRegionGivesAOneSidedSensitivityForThatSource) {
    MeasurementSetup s = y_just_above_one();
    s.model.noise_bw_hz = 1e12;  // jitter of 1e-6 per reading: the budget is defined
    s.model.tau_s = 1;
    const Budget b = gum_budget(s);
    ASSERT_TRUE(b.valid);
    // Meas-off read high, or meas-on read low, by the step: Y at or below 1.
    const BudgetLine& off = line(b, "jitter_meas_off");
    const BudgetLine& on = line(b, "jitter_meas_on");
    EXPECT_EQ(off.found, Sensitivity::downward_only);
    EXPECT_EQ(on.found, Sensitivity::upward_only);
    EXPECT_EQ(off.note, sensitivity_note(Sensitivity::downward_only));
    EXPECT_FALSE(on.note.empty());
    // Meas-off read high lowers Y and raises the result, by far more than
    // one for one this close to Y = 1.
    EXPECT_GT(off.c, 1e4);
    EXPECT_LT(on.c, -1e4);
    EXPECT_NEAR(off.c / on.c, -1.0, 0.05);
    EXPECT_EQ(line(b, "jitter_cal_off").found, Sensitivity::central);
    EXPECT_TRUE(std::isfinite(b.u_c_db));
}

TEST(GumBudget, NoBudgetForAnInvalidMeasurement) {
    MeasurementSetup s = amplifier();
    s.dut_gain_db = -20;
    s.dut_nf_db = 20;
    s.analyzer_nf_db = 45;  // Y - 1 of the system about 1e-5
    s.enr_cal_db = s.enr_meas_db = 5;
    // Valid, if useless: a budget of thousands of dB, not a missing one.
    const Budget useless = gum_budget(s);
    EXPECT_TRUE(useless.valid);
    EXPECT_GT(useless.u_c_db, 1000.0);
    s.dut_gain_db = -120;  // Y of the system indistinguishable from 1
    const Budget none = gum_budget(s);
    EXPECT_FALSE(none.valid);
    EXPECT_EQ(line(none, "enr").found, Sensitivity::undetermined);
}

TEST(GumAndMonteCarlo, AgreeInTheLinearRegime) {
    MeasurementSetup s = amplifier();
    s.model.noise_bw_hz = 4e6;
    s.model.tau_s = 0.01;
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
    s.model.noise_bw_hz = 1e6;
    s.model.tau_s = 0.01;
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
