// Evaluation of four measured levels with the exact (cold-temperature
// corrected) Y-factor formula.
#pragma once

#include "measure/bench.h"
#include "measure/simulation.h"

namespace orlavex::measure {

// A figure the levels do not give (the analyzer noise figure and the gain
// when the calibration Y factor is <= 1, the DUT noise figure of an invalid
// evaluation) is NaN.
struct ExactEvaluation {
    bool valid = false;
    double nf_dut_db = 0, gain_db = 0, nf_sa_db = 0, nf_sys_db = 0;
};

// Levels in dBm (any common unit of power in dB); ENR at the calibration and
// the measurement frequency in dB (the measurement source's when it is
// another); the source's off temperature in K; the losses before and after
// the DUT compensated as BENCH gives them. Without second-stage correction
// the DUT noise figure is the system's and the calibration enters only the
// gain. Invalid when a Y factor needed is <= 1 or a noise factor comes out
// <= 0.
ExactEvaluation evaluate_exact(double cal_on_dbm, double cal_off_dbm, double meas_on_dbm,
                               double meas_off_dbm, double enr_cal_db, double enr_meas_db,
                               double tc_k, bool second_stage, const LossCompensation& bench = {});

// The same for the measurement SETUP describes: its ENRs, off temperature,
// correction and bench, and a converting DUT's image band with its nominal
// ratio, the figures in the DUT's sideband.
ExactEvaluation evaluate_exact(const ReadingLevels& levels, const MeasurementSetup& setup);

}  // namespace orlavex::measure
