#include "engine/classic_reading.h"

#include "engine/controls.h"
#include "engine/fields.h"

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

}  // namespace

core::ClassicSetup read_classic_setup(const Calculator& calc) {
    core::ClassicSetup setup;
    for (const StateValue& pair : state_values)
        setup.values.*pair.value = calc.state.*pair.state;
    setup.choices = read_choices(calc);
    setup.return_loss_max_db = calc.state.RL_Max;
    return setup;
}

void adopt_classic_result(CalcState& s, const core::ClassicResult& r) {
    for (const StateValue& pair : state_values)
        s.*pair.state = r.used.values.*pair.value;
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

core::ClassicSession classic_session(const Calculator& calc) {
    Calculator reading = calc;
    comma_handler(reading);
    core::ClassicSession session;
    session.setup = read_classic_setup(reading);
    session.last = core::classic_figures(session.setup);
    return session;
}

}  // namespace orlavex
