// The budget's evaluation of the simulated measurement (error_db, with the
// terms the nominal values fix worked out once) gives the doubles of the
// general one the Monte Carlo runs (error_db_with), bit for bit, for every
// step the budget takes and for factors far from nominal.
#include "measure/error_sources.h"
#include "measure/gum.h"
#include "measure/simulated_measurement.h"
#include "measure/units.h"
#include "setups.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace orlavex::measure {
namespace {

using test_support::amplifier;

// Set-ups that reach every term: losses before and after the DUT at their
// own temperatures, a separate measurement source, a converting DUT, no
// second-stage correction, an image response, and a set-up at the edge of
// validity.
std::vector<MeasurementSetup> setups() {
    std::vector<MeasurementSetup> out;
    out.push_back(amplifier());
    MeasurementSetup lossy = amplifier();
    lossy.loss_in = {1.3, 305, 0.05};
    lossy.loss_out = {0.7, 280, 0.04};
    out.push_back(lossy);
    MeasurementSetup separate = lossy;
    separate.meas_source = {true, 0.2, 0.05};
    separate.enr_meas_db = 5.4;
    separate.tc_k = 300;
    out.push_back(separate);
    MeasurementSetup converting = amplifier();
    converting.freq_converting = true;
    converting.enr_cal_db = 14.2;
    converting.enr_meas_db = 15.6;
    out.push_back(converting);
    MeasurementSetup uncorrected = lossy;
    uncorrected.second_stage = false;
    out.push_back(uncorrected);
    // A mixer with an image response, in both modes: the image band at its
    // own ENR and through its own loss before the DUT.
    MeasurementSetup ssb = lossy;
    ssb.freq_converting = true;
    ssb.dut_gain_db = -6;
    ssb.dut_nf_db = 10;
    ssb.image = {true, SidebandMode::ssb, -3, 0.5, 13.9, 0.2, 2.1};
    out.push_back(ssb);
    MeasurementSetup dsb = amplifier();
    dsb.image = {true, SidebandMode::dsb, 0, 0.3, {}, {}, {}};
    out.push_back(dsb);
    MeasurementSetup edge = amplifier();
    edge.dut_gain_db = -20;
    edge.enr_cal_db = edge.enr_meas_db = 0.5;
    edge.analyzer_nf_db = 30;
    out.push_back(edge);
    // Each at cold temperatures other than T0 too, where Tc / T0 - 1 is
    // not exact.
    for (std::size_t i = 0, n = out.size(); i < n; ++i) {
        for (const double tc_k : {77.3, 310.15}) {
            out.push_back(out[i]);
            out.back().tc_k = tc_k;
        }
    }
    return out;
}

// Every target's steps, as the budget takes them, and random factors far
// from nominal, the losses' included.
std::vector<ErrorFactors> factor_sets() {
    std::vector<ErrorFactors> out{ErrorFactors{}};
    for (std::size_t t = 0; t < target_count; ++t) {
        for (const double factor : {lin(1e-4), lin(-1e-4), std::exp(1e-4), 1.7, 0.3}) {
            ErrorFactors e;
            apply_factor(e, static_cast<Target>(t), factor);
            out.push_back(e);
        }
    }
    std::mt19937_64 random(7);
    std::lognormal_distribution<double> spread(0, 0.2);
    for (int i = 0; i < 200; ++i) {
        ErrorFactors e;
        for (double* x :
             {&e.enr_cal, &e.enr_meas, &e.mismatch_in, &e.mismatch_cal, &e.measured_gain,
              &e.analyzer_nf_meas, &e.analyzer_nf_cal, &e.jitter[0], &e.jitter[1], &e.jitter[2],
              &e.jitter[3], &e.loss_in, &e.loss_out, &e.image_ratio, &e.enr_image})
            *x = spread(random);
        out.push_back(e);
    }
    return out;
}

std::uint64_t bits(double x) {
    return std::isnan(x) ? 0x7ff8000000000000 : std::bit_cast<std::uint64_t>(x);
}

TEST(BudgetEvaluation, GivesTheGeneralEvaluationsDoubles) {
    const std::vector<ErrorFactors> factors = factor_sets();
    const std::vector<MeasurementSetup> all = setups();
    for (std::size_t k = 0; k < all.size(); ++k) {
        const SimulatedMeasurement measurement(all[k]);
        for (std::size_t i = 0; i < factors.size(); ++i) {
            const double general =
                measurement.error_db_with(factors[i], [](double x) { return std::log(x); });
            EXPECT_EQ(bits(measurement.error_db(factors[i])), bits(general))
                << "set-up " << k << ", factors " << i << ": " << general;
        }
    }
}

// Lines that move the same factor share the evaluation, and so the
// sensitivity, of the steps: the output mismatch and the analyzer's level
// error, both on the measured gain.
TEST(BudgetEvaluation, LinesOnTheSameFactorHaveTheSameSensitivity) {
    for (const MeasurementSetup& setup : setups()) {
        const Budget budget = gum_budget(setup);
        const auto c = [&](std::string_view source) {
            for (const BudgetLine& line : budget.lines)
                if (line.source == source) return line.c;
            ADD_FAILURE() << source << " missing";
            return 0.0;
        };
        EXPECT_EQ(bits(c("mismatch_out")), bits(c("analyzer_gain")));
        EXPECT_NE(bits(c("mismatch_out")), bits(c("mismatch_in")));
    }
}

}  // namespace
}  // namespace orlavex::measure
