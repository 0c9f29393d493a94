#include "engine/fields.h"

#include "core/number_text.h"
#include "engine/controls.h"

#include <bit>
#include <cstdint>
#include <tuple>

namespace orlavex {

using enum Ctl;

const std::array<FieldRule, 20> entry_fields{{
    {txtDUT_InMatch, &CalcState::DUT_InMatch, false, "0", every_decimal},
    {txtDUT_OutMatch, &CalcState::DUT_OutMatch, false, "0", every_decimal},
    {txtNS_Match, &CalcState::NS_Match, false, "0", every_decimal},
    {txtENR_Unc, &CalcState::ENR_Unc, false, "0", every_decimal},
    {txtSA_Noise, &CalcState::SA_Noise, true, "0", 2},
    {txtFreq, &CalcState::Freq, false, "1", every_decimal},
    {txtFreq2, &CalcState::Freq2, false, "1", every_decimal},
    {txtDUT_NF, &CalcState::DUT_NF, false, "0", 2},
    {txtDUT_Gain, &CalcState::DUT_Gain, true, "0", 2},
    {txtExtPA_Gain, &CalcState::ExtPA_Gain, false, "0", every_decimal},
    {txtExtPA_NF, &CalcState::ExtPA_NF, false, "0", every_decimal},
    {txtSAGainUnc, &CalcState::SAGainUnc, false, "0", every_decimal},
    {txtSANFUnc, &CalcState::SANFUnc, false, "0", every_decimal},
    {txtSA_InMatch, &CalcState::SA_InMatch, false, "0", every_decimal},
    {txtENR, &CalcState::ENR, false, "15", every_decimal},
    {txtToff, &CalcState::Toff, true, "20", every_decimal},
    {txtCalON, &CalcState::CalON, true, "-100", 3},
    {txtCalOFF, &CalcState::CalOFF, true, "-102", 3},
    {txtMeasON, &CalcState::MeasON, true, "-90", 3},
    {txtMeasOFF, &CalcState::MeasOFF, true, "-91", 3},
}};

bool is_level_field(Ctl field) {
    return field == txtCalON || field == txtCalOFF || field == txtMeasON || field == txtMeasOFF;
}

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

double field_value(const Calculator& calc, const FieldRule& field) {
    if (field.field == txtSA_InMatch && is_ticked(calc, chkExtPA)) return calc.state.ExtPA_InMatch;
    return calc.state.*field.value;
}

static_assert(std::tuple_size_v<decltype(Calculator::field_memo)> == entry_fields.size());

void write_field(Calculator& calc, std::size_t index) {
    const FieldRule& f = entry_fields[index];
    const double v = field_value(calc, f);
    const double rounded =
        f.written_decimals == every_decimal ? v : round_to(v, f.written_decimals);
    const char sep = calc.form.decimal_separator;
    FieldMemo& memo = calc.field_memo[index];
    // The field still shows the text this very value was written as.
    if (memo.written && memo.separator == sep &&
        std::bit_cast<std::uint64_t>(memo.written_from) == std::bit_cast<std::uint64_t>(rounded) &&
        memo.text == calc.form[f.field].text) {
        return;
    }
    std::string text = general_text(rounded, sep);
    set_text(calc, f.field, text);
    memo = {std::move(text), shown_value(rounded), true, rounded, sep};
}

void comma_handler(Calculator& calc) {
    for (std::size_t i = 0; i < entry_fields.size(); ++i) {
        const FieldRule& f = entry_fields[i];
        FieldMemo& memo = calc.field_memo[i];
        const std::string& text = calc.form[f.field].text;
        if (memo.text != text) memo = {text, read_number(text), false, 0, '.'};
        field_value(calc, f) = memo.value;
    }
}

void Update_text_boxes(Calculator& calc) {
    for (std::size_t i = 0; i < entry_fields.size(); ++i)
        write_field(calc, i);
    set_text(calc, lblCalcSANoise, calc.form[txtSA_Noise].text);
    set_text(calc, lblCalcNF, calc.form[txtDUT_NF].text + " dB");
    set_text(calc, lblCalcGain, calc.form[txtDUT_Gain].text + " dB");
    calc.form[optSA_Noise_NF].enabled = true;
    calc.form[optSA_Noise_DANL].enabled = true;
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
