// The stages of Do_Calc and the working values they hand on. Private to the
// engine.
#pragma once

#include "engine/calculator.h"

#include <string>

namespace orlavex {

// Working values of one recalculation.
struct Run {
    double ENR_eff = 0;    // dB, ENR corrected for the actual off temperature
    double Pon = 0;        // dB over kT0B
    double Ton = 0;        // K
    double ToffF = 0;      // degrees F
    double F_sa = 1;       // analyzer chain noise factor
    double NF_sa_net = 0;  // dB
    double Ycal_dB = 0;
    double Ymeas_dB = 0;
    double F_sys = 1;   // DUT plus analyzer noise factor
    double NF_sys = 0;  // dB
};

// Thermal noise density at 290 K, dBm/Hz, and the 1 MHz of a predicted level.
inline constexpr double kT0_dBm_Hz = -174.0;
inline constexpr double one_MHz_dB = 60.0;
// Analyzer noise figure from a guaranteed noise level:
// NF = DANL + 173.98 + 2.51 - 0.27 (log averaging, filter noise bandwidth).
inline constexpr double kT0_magnitude = 173.98;
inline constexpr double log_average_dB = 2.51;
inline constexpr double noise_bandwidth_dB = 0.27;

double noise_figure_from_level(double danl);
double level_from_noise_figure(double nf);

// Reflection coefficient magnitude of a VSWR or a return loss in dB.
double reflection(double match, bool vswr_form);

std::string fmt(const Calculator& calc, double x, const char* format);

// Prediction from the DUT's noise figure and gain; false on an invalid set-up
// (which has then taken the error end).
bool predict(Calculator& calc, Run& run);
// Manual evaluation of the four levels; false when it ended in an error.
bool evaluate_manual_levels(Calculator& calc, Run& run);

void rate_guidelines(Calculator& calc, const Run& run);
void compute_uncertainty(Calculator& calc, const Run& run);

// Blanks the manual results and shows the headline result.
void error_end(Calculator& calc);

}  // namespace orlavex
