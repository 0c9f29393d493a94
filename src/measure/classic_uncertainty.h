// The calculator's root-sum-square bound of the DUT noise-figure uncertainty
// and the offset of an uncorrected measurement.
#pragma once

#include "measure/setup.h"

#include <optional>

namespace orlavex::measure {

struct ClassicUncertainty {
    // dB; empty when the set-up leaves nothing to take a logarithm of or the
    // bound overflows.
    std::optional<double> rss_db;
    // db(F_sys) - DUT NF: what a measurement without second-stage correction
    // reads too high; 0 when no uncertainty can be given.
    double bias_db = 0;
};

// The bound for SETUP (DUT, matches, uncertainties, correction and
// conversion; the ENR, temperature and jitter do not enter it). F_ANALYZER is
// the net analyzer noise factor, linear, the figures were computed with: the
// set-up's analyzer_nf_db is its dB value, which does not always convert
// back to the last bit.
ClassicUncertainty classic_uncertainty(const MeasurementSetup& setup, double f_analyzer);
// The same with the analyzer factor taken from setup.analyzer_nf_db.
ClassicUncertainty classic_uncertainty(const MeasurementSetup& setup);

}  // namespace orlavex::measure
