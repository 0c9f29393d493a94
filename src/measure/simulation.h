// Simulation of one measurement: the four readings an analyzer shows with a
// given set of errors, and the DUT noise-figure error the engineer's
// evaluation of them makes.
#pragma once

#include "measure/setup.h"

namespace orlavex::measure {

// One value of every error source (all zero: a perfect measurement).
struct ErrorDraw {
    double dENR_cal = 0, dENR_meas = 0;  // dB, true minus nominal ENR
    double m_in = 0;                     // dB, mismatch source - DUT input
    double m_cal = 0;                    // dB, mismatch source - analyzer (calibration)
    double m_out = 0;                    // dB, mismatch DUT output - analyzer
    double da_meas = 0, da_cal = 0;      // dB, analyzer noise-figure errors
    double dG = 0;                       // dB, analyzer level error
    double eps[4] = {};                  // natural log, jitter of P1..P4
    double dL_in = 0, dL_out = 0;        // dB, true minus nominal loss before and after the DUT
    double dR = 0;                       // dB, true minus nominal image-to-signal gain ratio
    double dENR_img = 0;                 // dB, true minus nominal ENR at the image frequency
};

// Noise powers in units of k B Ga (linear): P1 cal off, P2 cal on, P3 meas
// off, P4 meas on.
struct Readings {
    double p1 = 0, p2 = 0, p3 = 0, p4 = 0;
};

Readings simulate_readings(const MeasurementSetup& setup, const ErrorDraw& draw);

// Readings as levels in dBm in 1 MHz behind an analyzer of unit gain, the
// reference the calculator's measured levels are given in (its start-up
// calibration off level is -114 dBm plus the analyzer's noise figure).
struct ReadingLevels {
    double cal_off_dbm = 0, cal_on_dbm = 0, meas_off_dbm = 0, meas_on_dbm = 0;
};
ReadingLevels reading_levels(const Readings& r);

// db(F_dut observed) - DUT NF for one simulated measurement; NaN when the
// readings give no valid result (Y <= 1, or F_dut observed <= 0).
double measurement_error_db(const MeasurementSetup& setup, const ErrorDraw& draw);

}  // namespace orlavex::measure
