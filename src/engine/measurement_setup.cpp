#include "engine/measurement_setup.h"

#include "engine/analyzer_chain.h"
#include "engine/controls.h"
#include "engine/numeric.h"

#include <cmath>

namespace orlavex {

using enum Ctl;

measure::MeasurementSetup measurement_setup(const Calculator& calc) {
    const CalcState& s = calc.state;
    measure::MeasurementSetup setup;
    setup.dut_nf_db = s.DUT_NF;
    setup.dut_gain_db = s.DUT_Gain;
    setup.enr_cal_db = s.ENR;
    setup.enr_meas_db = s.ENR;
    setup.enr_unc_db = s.ENR_Unc;
    setup.tc_k = s.ToffK;
    // The net analyzer noise figure the classic figures were computed with
    // (preamplifier included, or measured in manual mode); where the last run
    // had none, the one the analyzer fields give.
    setup.analyzer_nf_db = calc.figures.nf_sa_net_db;
    if (std::isnan(setup.analyzer_nf_db)) {
        setup.analyzer_nf_db = db(net_analyzer_factor(calc, s.SA_Noise, s.ExtPA_NF, s.ExtPA_Gain));
    }
    setup.gamma_source = s.NS_Gamma;
    setup.gamma_dut_in = s.DUT_InGamma;
    setup.gamma_dut_out = s.DUT_OutGamma;
    setup.gamma_analyzer = s.SA_InGamma;
    setup.analyzer_nf_unc_db = s.SANFUnc;
    setup.analyzer_gain_unc_db = s.SAGainUnc;
    setup.second_stage = is_checked(calc, mnu2ndStage);
    setup.freq_converting = is_ticked(calc, chkFreqConv);
    return setup;
}

}  // namespace orlavex
