#include "engine/state.h"

#include "core/classic_setup.h"

namespace orlavex {

void set_startup_values(CalcState& s) {
    const core::ClassicValues v;
    s.DUT_InMatch = v.dut_in_match;
    s.DUT_OutMatch = v.dut_out_match;
    s.NS_Match = v.source_match;
    s.SA_InMatch = v.analyzer_match;
    s.ExtPA_InMatch = v.ext_pa_match;
    s.ENR_Unc = v.enr_unc_db;
    s.SA_Noise = v.analyzer_noise;
    s.Freq = v.freq_ghz;
    s.Freq2 = v.freq2_ghz;
    s.DUT_Gain = v.dut_gain_db;
    s.ENR = v.enr_db;
    s.Toff = v.toff_c;
    s.CalON = v.cal_on_dbm;
    s.CalOFF = v.cal_off_dbm;
    s.MeasON = v.meas_on_dbm;
    s.MeasOFF = v.meas_off_dbm;
    s.DUT_NF = v.dut_nf_db;
    s.ExtPA_Gain = v.ext_pa_gain_db;
    s.ExtPA_NF = v.ext_pa_nf_db;
    s.SAGainUnc = v.analyzer_gain_unc_db;
    s.SANFUnc = v.analyzer_nf_unc_db;
}

}  // namespace orlavex
