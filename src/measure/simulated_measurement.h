// The measurement of section "simulating one measurement" with the set-up's
// nominal values worked out once, for the budget and the Monte Carlo, which
// evaluate it many times. Errors enter as linear factors.
#pragma once

#include "measure/bench.h"
#include "measure/setup.h"
#include "measure/simulation.h"

namespace orlavex::measure {

// Every error as the factor it multiplies its quantity by (all 1: a perfect
// measurement).
struct ErrorFactors {
    double enr_cal = 1, enr_meas = 1;  // true over nominal ENR
    double mismatch_in = 1, mismatch_cal = 1;
    double measured_gain = 1;  // analyzer level error and DUT-output mismatch together
    double analyzer_nf_meas = 1, analyzer_nf_cal = 1;
    double jitter[4] = {1, 1, 1, 1};
    double loss_in = 1, loss_out = 1;  // true over nominal loss, linear
};

ErrorFactors factors_of(const ErrorDraw& draw);

// Noise factors, gain and Y factors the engineer's instrument derives from
// four readings (linear, any common unit) with the exact Y-factor formula.
struct ReadingsEvaluation {
    bool valid = false;
    double y_cal = 0, y_meas = 0;
    double f_analyzer = 0;  // NaN when the calibration gives no Y factor above 1
    double gain = 0;        // NaN likewise
    double f_sys = 0;
    double f_dut = 0;
};

// enr_cal_lin and enr_meas_lin are the nominal ENR the instrument works
// with; the analyzer noise-figure errors multiply the two noise factors.
// With losses the system noise factor is referred to the DUT input, the
// gain to the DUT alone, and the second stage is the loss after the DUT
// and the analyzer chain together.
ReadingsEvaluation evaluate_readings(const Readings& r, double enr_cal_lin, double enr_meas_lin,
                                     double tc_k, bool second_stage, double analyzer_nf_cal = 1,
                                     double analyzer_nf_meas = 1,
                                     const LossCompensation& bench = {});

class SimulatedMeasurement {
  public:
    explicit SimulatedMeasurement(const MeasurementSetup& setup);

    Readings readings(const ErrorFactors& e) const;
    // db(F_dut observed) - DUT NF; NaN for an invalid trial.
    double error_db(const ErrorFactors& e) const;

  private:
    MeasurementSetup setup_;
    double enr_cal_ = 0, enr_meas_ = 0;  // nominal, linear
    double t_analyzer_ = 0, t_dut_ = 0, gain_ = 0;
    LossCompensation bench_;  // nominal losses
};

}  // namespace orlavex::measure
