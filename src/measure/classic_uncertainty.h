// The calculator's root-sum-square bound of the DUT noise-figure uncertainty
// and the offset of an uncorrected measurement.
#pragma once

#include <optional>

namespace orlavex::measure {

struct ClassicInputs {
    double dut_nf_db = 0;
    double dut_gain_db = 0;
    double f_analyzer = 1;  // net analyzer chain noise factor, linear
    double gamma_source = 0, gamma_dut_in = 0, gamma_dut_out = 0, gamma_analyzer = 0;
    double enr_unc_db = 0;
    double analyzer_nf_unc_db = 0;
    double analyzer_gain_unc_db = 0;
    bool second_stage = true;
    bool freq_converting = false;
};

struct ClassicUncertainty {
    // dB; empty when the set-up leaves nothing to take a logarithm of or the
    // bound overflows.
    std::optional<double> rss_db;
    // db(F_sys) - DUT NF: what a measurement without second-stage correction
    // reads too high; 0 when no uncertainty can be given.
    double bias_db = 0;
};

ClassicUncertainty classic_uncertainty(const ClassicInputs& in);

}  // namespace orlavex::measure
