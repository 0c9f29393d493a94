#include "engine/classic_reading.h"

#include "engine/controls.h"

namespace orlavex {

using enum Ctl;

namespace {

core::MatchForm form_of(const Calculator& calc, Ctl vswr_option) {
    return is_selected(calc, vswr_option) ? core::MatchForm::vswr : core::MatchForm::return_loss;
}

core::ClassicChoices read_choices(const Calculator& calc) {
    core::ClassicChoices c;
    c.analyzer = catalogue::find_analyzer(calc.form[lblSAsel].text);
    c.noise_source = catalogue::find_noise_source(calc.form[lblNSsel].text);
    c.int_preamp = is_ticked(calc, chkIntPA);
    c.preamp_option0 = calc.form[mnuIntPA].checked;
    c.ext_preamp = is_ticked(calc, chkExtPA);
    c.freq_conv = is_ticked(calc, chkFreqConv);
    c.second_stage = is_checked(calc, mnu2ndStage);
    c.manual = is_ticked(calc, chkUseManMeas);
    c.dut_in_form = form_of(calc, optDUTIn_VSWR);
    c.dut_out_form = form_of(calc, optDUTOut_VSWR);
    c.source_form = form_of(calc, optNS_Match_VSWR);
    c.analyzer_form = form_of(calc, optSA_InMatch_VSWR);
    c.analyzer_noise_as_nf = is_selected(calc, optSA_Noise_NF);
    return c;
}

// The state's members and the typed values, pairwise.
template <typename State, typename Values, typename Visit>
void each_value(State& s, Values& v, Visit visit) {
    visit(s.DUT_InMatch, v.dut_in_match);
    visit(s.DUT_OutMatch, v.dut_out_match);
    visit(s.NS_Match, v.source_match);
    visit(s.SA_InMatch, v.analyzer_match);
    visit(s.ExtPA_InMatch, v.ext_pa_match);
    visit(s.ENR_Unc, v.enr_unc_db);
    visit(s.SA_Noise, v.analyzer_noise);
    visit(s.Freq, v.freq_ghz);
    visit(s.Freq2, v.freq2_ghz);
    visit(s.DUT_Gain, v.dut_gain_db);
    visit(s.ENR, v.enr_db);
    visit(s.Toff, v.toff_c);
    visit(s.CalON, v.cal_on_dbm);
    visit(s.CalOFF, v.cal_off_dbm);
    visit(s.MeasON, v.meas_on_dbm);
    visit(s.MeasOFF, v.meas_off_dbm);
    visit(s.DUT_NF, v.dut_nf_db);
    visit(s.ExtPA_Gain, v.ext_pa_gain_db);
    visit(s.ExtPA_NF, v.ext_pa_nf_db);
    visit(s.SAGainUnc, v.analyzer_gain_unc_db);
    visit(s.SANFUnc, v.analyzer_nf_unc_db);
}

}  // namespace

core::ClassicSetup read_classic_setup(const Calculator& calc) {
    core::ClassicSetup setup;
    each_value(calc.state, setup.values, [](double from, double& to) { to = from; });
    setup.choices = read_choices(calc);
    setup.return_loss_max_db = calc.state.RL_Max;
    return setup;
}

void adopt_classic_result(CalcState& s, const core::ClassicResult& r) {
    each_value(s, r.used.values, [](double& to, double from) { to = from; });
    s.SA_FreqMax = r.analyzer_freq_max_ghz;
    s.NS_FreqMax = r.source_freq_max_ghz;
    s.FreqMax = r.freq_max_ghz;
    s.DUT_InGamma = r.gamma.dut_in;
    s.DUT_OutGamma = r.gamma.dut_out;
    s.SA_InGamma = r.gamma.analyzer;
    s.NS_Gamma = r.gamma.source;
    s.ToffK = r.toff_k;
    s.NF_Unc = r.nf_unc_db;
    // An uncertainty not computed leaves the last offset as it was.
    if (r.end == core::ClassicEnd::complete) s.NF_Bias = r.nf_bias_db;
}

}  // namespace orlavex
