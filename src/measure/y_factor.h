// Y-factor relations: the classic first-order forms the calculator shows and
// the exact forms for a noise source whose off temperature is not 290 K.
#pragma once

#include "measure/units.h"

namespace orlavex::measure {

// --- classic (first order in Tc - T0), in dB ---

// ENR corrected for the source's off temperature tc_k:
// db(lin(ENR) + (T0 - Tc) / T0).
double effective_enr_db(double enr_db, double tc_k);
// The source's on power over kT0B, dB: db(lin(ENR) + 1).
double source_on_power_db(double enr_db);
// The source's on temperature from the effective ENR: Tc + T0 lin(ENR_eff).
double on_temperature_k(double enr_eff_db, double tc_k);
// Y factor (dB) a receiver of noise figure nf_db reads with this effective ENR.
double y_factor_db(double enr_eff_db, double nf_db);
// Noise figure (dB) from a Y factor (dB): ENR_eff - db(lin(Y) - 1).
double noise_figure_from_y_db(double enr_eff_db, double y_db);
// Gain (linear) between calibration and measurement from the four levels
// (dB of any common power unit): the excess powers' ratio.
double gain_from_levels(double cal_on_db, double cal_off_db, double meas_on_db, double meas_off_db);

// --- linear forms (E = lin(ENR), Y and F linear, temperatures in K) ---

// (Inline: the Monte Carlo's vectorised trial loop evaluates them.)
// Hot temperature of a source: T0 (E + 1).
inline double hot_temperature_k(double enr_lin) {
    return T0 * (enr_lin + 1);
}
// Noise temperature of a noise factor: T0 (F - 1).
inline double noise_temperature_k(double f) {
    return T0 * (f - 1);
}
// First order: F = (E + (T0 - Tc) / T0) / (Y - 1).
double noise_factor_first_order(double enr_lin, double y, double tc_k);
// Exact for any Tc: F = (E - Y (Tc / T0 - 1)) / (Y - 1).
inline double noise_factor_exact(double enr_lin, double y, double tc_k) {
    return (enr_lin - y * (tc_k / T0 - 1)) / (y - 1);
}
// Y factor of a receiver with noise temperature te_k: (Th + Te) / (Tc + Te).
double y_factor_exact(double th_k, double tc_k, double te_k);

}  // namespace orlavex::measure
