// An analyzer's noise figure and its displayed average noise level (DANL).
#pragma once

namespace orlavex::measure {

// Thermal noise density at 290 K, dBm/Hz, and the 1 MHz of a level per MHz.
inline constexpr double kT0_dBm_Hz = -174.0;
inline constexpr double one_MHz_dB = 60.0;
// Analyzer noise figure from a guaranteed noise level:
// NF = DANL + 173.98 + 2.51 - 0.27 (log averaging, filter noise bandwidth).
inline constexpr double kT0_magnitude = 173.98;
inline constexpr double log_average_dB = 2.51;
inline constexpr double noise_bandwidth_dB = 0.27;

// Noise figure (dB) of an analyzer with this noise level (dBm/Hz; the sign
// is ignored, a level is always below 0 dBm/Hz).
double noise_figure_from_level(double danl);
// Noise level (dBm/Hz) of an analyzer with this noise figure (dB).
double level_from_noise_figure(double nf);

}  // namespace orlavex::measure
