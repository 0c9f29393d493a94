// An analyzer's noise figure and its displayed average noise level (DANL),
// and the noise of the analyzer chain behind an external preamplifier.
#pragma once

#include <optional>

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
// The same conversion taking the level with its sign, as a format switch
// converts whatever number the field holds.
double noise_figure_from_signed_level(double level);
// Noise level (dBm/Hz) of an analyzer with this noise figure (dB).
double level_from_noise_figure(double nf);

// How the analyzer's noise is given.
enum class NoiseForm { noise_figure, noise_level };

// The analyzer's noise figure (dB) from NOISE given in FORM.
double analyzer_noise_figure(double noise, NoiseForm form);

// An external preamplifier ahead of the analyzer, in dB.
struct ExternalPreamp {
    double nf_db = 0;
    double gain_db = 0;
};

// Noise factor (linear) of the analyzer chain: the analyzer of noise figure
// ANALYZER_NF_DB alone, or behind PREAMP (Friis, the preamplifier first).
double net_analyzer_factor(double analyzer_nf_db, const std::optional<ExternalPreamp>& preamp);

}  // namespace orlavex::measure
