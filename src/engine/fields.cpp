#include "engine/fields.h"

#include "engine/controls.h"
#include "engine/number_text.h"

namespace orlavex {

using enum Ctl;

const std::array<FieldRule, 20> entry_fields{{
    {txtDUT_InMatch, &CalcState::DUT_InMatch, false, "0"},
    {txtDUT_OutMatch, &CalcState::DUT_OutMatch, false, "0"},
    {txtNS_Match, &CalcState::NS_Match, false, "0"},
    {txtENR_Unc, &CalcState::ENR_Unc, false, "0"},
    {txtSA_Noise, &CalcState::SA_Noise, true, "0"},
    {txtFreq, &CalcState::Freq, false, "1"},
    {txtFreq2, &CalcState::Freq2, false, "1"},
    {txtDUT_NF, &CalcState::DUT_NF, false, "0"},
    {txtDUT_Gain, &CalcState::DUT_Gain, true, "0"},
    {txtExtPA_Gain, &CalcState::ExtPA_Gain, false, "0"},
    {txtExtPA_NF, &CalcState::ExtPA_NF, false, "0"},
    {txtSAGainUnc, &CalcState::SAGainUnc, false, "0"},
    {txtSANFUnc, &CalcState::SANFUnc, false, "0"},
    {txtSA_InMatch, &CalcState::SA_InMatch, false, "0"},
    {txtENR, &CalcState::ENR, false, "15"},
    {txtToff, &CalcState::Toff, true, "20"},
    {txtCalON, &CalcState::CalON, true, "-100"},
    {txtCalOFF, &CalcState::CalOFF, true, "-102"},
    {txtMeasON, &CalcState::MeasON, true, "-90"},
    {txtMeasOFF, &CalcState::MeasOFF, true, "-91"},
}};

const FieldRule* find_field(Ctl field) {
    for (const FieldRule& f : entry_fields) {
        if (f.field == field) return &f;
    }
    return nullptr;
}

double& field_value(Calculator& calc, const FieldRule& field) {
    if (field.field == txtSA_InMatch && is_ticked(calc, chkExtPA)) return calc.state.ExtPA_InMatch;
    return calc.state.*field.value;
}

void comma_handler(Calculator& calc) {
    for (const FieldRule& f : entry_fields) {
        field_value(calc, f) = read_number(calc.form[f.field].text);
    }
}

void Update_text_boxes(Calculator& calc) {
    const CalcState& s = calc.state;
    const char sep = calc.form.decimal_separator;
    const auto general = [&](Ctl field, double v) { set_text(calc, field, general_text(v, sep)); };
    const auto rounded = [&](Ctl field, double v, int places) {
        set_text(calc, field, general_text(round_to(v, places), sep));
    };
    general(txtDUT_InMatch, s.DUT_InMatch);
    general(txtDUT_OutMatch, s.DUT_OutMatch);
    general(txtNS_Match, s.NS_Match);
    general(txtENR_Unc, s.ENR_Unc);
    rounded(txtSA_Noise, s.SA_Noise, 2);
    general(txtFreq, s.Freq);
    general(txtFreq2, s.Freq2);
    rounded(txtDUT_NF, s.DUT_NF, 2);
    rounded(txtDUT_Gain, s.DUT_Gain, 2);
    general(txtExtPA_Gain, s.ExtPA_Gain);
    general(txtExtPA_NF, s.ExtPA_NF);
    general(txtSAGainUnc, s.SAGainUnc);
    general(txtSANFUnc, s.SANFUnc);
    set_text(calc, lblCalcSANoise, calc.form[txtSA_Noise].text);
    set_text(calc, lblCalcNF, calc.form[txtDUT_NF].text + " dB");
    set_text(calc, lblCalcGain, calc.form[txtDUT_Gain].text + " dB");
    calc.form[optSA_Noise_NF].enabled = true;
    calc.form[optSA_Noise_DANL].enabled = true;
    general(txtSA_InMatch, is_ticked(calc, chkExtPA) ? s.ExtPA_InMatch : s.SA_InMatch);
    general(txtENR, s.ENR);
    general(txtToff, s.Toff);
    rounded(txtCalON, s.CalON, 3);
    rounded(txtCalOFF, s.CalOFF, 3);
    rounded(txtMeasON, s.MeasON, 3);
    rounded(txtMeasOFF, s.MeasOFF, 3);
}

void center_justify(Calculator& calc) {
    for (Ctl id :
         {txtDUT_InMatch, txtDUT_OutMatch, txtNS_Match, txtENR_Unc,    txtSA_Noise, txtFreq,
          txtFreq2,       txtDUT_NF,       lblCalcNF,   txtDUT_Gain,   lblCalcGain, txtExtPA_Gain,
          txtExtPA_NF,    txtSAGainUnc,    txtSANFUnc,  txtSA_InMatch, txtENR,      txtToff,
          txtCalON,       txtCalOFF,       txtMeasON,   txtMeasOFF}) {
        calc.form[id].centred = true;
    }
}

}  // namespace orlavex
