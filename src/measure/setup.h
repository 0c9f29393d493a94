// One noise-figure measurement set-up, as the classic bound and the extended
// model see it.
#pragma once

namespace orlavex::measure {

enum class SpecShape { normal, rectangular };

struct MeasurementSetup {
    double dut_nf_db = 0, dut_gain_db = 0;
    double enr_cal_db = 0,
           enr_meas_db = 0;     // nominal ENR at the calibration and the measurement frequency
    double enr_unc_db = 0;      // expanded (k = 2), as certificates state it
    double tc_k = 290;          // the source's off temperature
    double analyzer_nf_db = 0;  // net analyzer chain (preamplifiers included)
    double gamma_source = 0, gamma_dut_in = 0, gamma_dut_out = 0,
           gamma_analyzer = 0;  // |reflection|
    double analyzer_nf_unc_db = 0, analyzer_gain_unc_db = 0;
    bool second_stage = true;
    bool freq_converting = false;
    double noise_bw_hz = 0, tau_s = 0;  // jitter off when either is 0
    SpecShape spec_shape = SpecShape::normal;
};

}  // namespace orlavex::measure
