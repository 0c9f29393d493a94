#include "engine/controls.h"
#include "engine/number_text.h"
#include "engine/recalc_stages.h"
#include "measure/classic_uncertainty.h"

namespace orlavex {

using enum Ctl;

void compute_uncertainty(Calculator& calc, const Run& run) {
    CalcState& s = calc.state;
    measure::ClassicInputs in;
    in.dut_nf_db = s.DUT_NF;
    in.dut_gain_db = s.DUT_Gain;
    in.f_analyzer = run.F_sa;
    in.gamma_source = s.NS_Gamma;
    in.gamma_dut_in = s.DUT_InGamma;
    in.gamma_dut_out = s.DUT_OutGamma;
    in.gamma_analyzer = s.SA_InGamma;
    in.enr_unc_db = s.ENR_Unc;
    in.analyzer_nf_unc_db = s.SANFUnc;
    in.analyzer_gain_unc_db = s.SAGainUnc;
    in.second_stage = is_checked(calc, mnu2ndStage);
    in.freq_converting = is_ticked(calc, chkFreqConv);
    const measure::ClassicUncertainty result = measure::classic_uncertainty(in);

    s.NF_Bias = result.bias_db;
    s.NF_Unc = result.rss_db.value_or(no_uncertainty);
    // A passive DUT cannot have a noise figure below its loss (as the fields
    // show them).
    if (s.DUT_Gain < 0 && round_to(s.DUT_NF, 2) < round_to(-s.DUT_Gain, 2)) {
        s.NF_Unc = no_uncertainty;
    }
}

}  // namespace orlavex
