// Set-ups the measurement library's tests start from.
#pragma once

#include "measure/setup.h"

namespace orlavex::measure::test_support {

// A typical amplifier measurement: 8 dB / 15 dB DUT, 15 dB ENR source,
// 11.5 dB analyzer, small mismatches, no jitter.
inline MeasurementSetup amplifier() {
    MeasurementSetup s;
    s.dut_nf_db = 8;
    s.dut_gain_db = 15;
    s.enr_cal_db = 15;
    s.enr_meas_db = 15;
    s.enr_unc_db = 0.1;
    s.tc_k = 290;
    s.analyzer_nf_db = 11.5;
    s.gamma_source = 0.07;
    s.gamma_dut_in = 0.1;
    s.gamma_dut_out = 0.15;
    s.gamma_analyzer = 0.17;
    s.analyzer_nf_unc_db = 0.05;
    s.analyzer_gain_unc_db = 0.15;
    return s;
}

}  // namespace orlavex::measure::test_support
