// The image band of a frequency-converting DUT: what its set-up values mean
// when they are not given, the DUT and the noise source as its two input
// bands see them, and the checks of the image's inputs.
#pragma once

#include "measure/bench.h"
#include "measure/setup.h"

#include <string>

namespace orlavex::measure {

// The image band's values, the signal band's where the set-up leaves them
// unset: the measurement source's ENR and its expanded uncertainty, the
// loss before the DUT.
double image_enr_db(const MeasurementSetup& setup);
double image_enr_unc_db(const MeasurementSetup& setup);
double image_loss_in_db(const MeasurementSetup& setup);

// Nominal image-to-signal gain ratio r0, linear: 0 without an image response.
double image_ratio_lin(const MeasurementSetup& setup);

// (The two below inline: the Monte Carlo's vectorised trial loop
// evaluates them.)
// The DUT of noise factor f and gain g as its inputs give them, with the
// true image ratio r: its own noise temperature referred to the signal band
// and its signal-band gain. In SSB f = 1 + r + Te/T0 and g is the signal
// band's; in DSB f (1 + r) is that, and g / (1 + r) the signal band's gain.
struct DutInBands {
    double te_k = 0, gain_signal = 0;
};
inline DutInBands dut_in_bands(double f, double g, double r, bool dsb) {
    return dsb ? DutInBands{T0 * (1 + r) * (f - 1), g / (1 + r)}
               : DutInBands{T0 * ((f - 1) - r), g};
}

// The noise source at the DUT input in one band, off and on, through that
// band's loss before the DUT (linear, at t_loss_k); MISMATCH scales the
// excess power that reaches the DUT.
struct BandAtInput {
    double off_k = 0, on_k = 0;
};
inline BandAtInput band_at_input(double th_k, double tc_k, double mismatch, double loss_lin,
                                 double t_loss_k) {
    const double off = through_loss_k(tc_k, loss_lin, t_loss_k);
    return {off, off + (th_k - tc_k) * mismatch / loss_lin};
}

// The measurement source as the evaluation takes it, through both bands
// with the nominal ENRs, losses and ratio r0. ENR_LIN and COLD put it in
// the terms of the exact Y-factor formula: (E - Y c) / (Y - 1) is
// 1 + r0 + Tsys/T0. EXCESS_K is the excess power the source's on state adds
// in both bands, referred to the signal band's loss before the DUT (the
// gain's evaluation multiplies by that loss). With r0 = 0, the signal band
// alone: source_through_loss()'s source at the DUT input and Th - Tc.
struct TwoBandSource {
    double enr_lin = 0, cold = 0, excess_k = 0;
};
struct BandEnrs {
    double signal_lin = 0, image_lin = 0;
};
TwoBandSource two_band_source(BandEnrs enr, double tc_k, const LossCompensation& bench,
                              double image_loss_in_lin, double r0);

// The DUT's single-sideband noise factor from the set-up's noise figure
// and mode.
double ssb_noise_factor(const MeasurementSetup& setup);

// Empty when the image's inputs are physical, or without an image
// response; otherwise one line saying which input is wrong and why. An SSB
// noise figure at or below 10 log10(1 + r0) is impossible.
std::string image_problem(const MeasurementSetup& setup);

}  // namespace orlavex::measure
