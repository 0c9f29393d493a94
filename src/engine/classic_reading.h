// The window as a typed set-up, and the results of the classic core taken
// back into the window's state: the one bridge between the calculator's
// controls and core::classic_figures.
#pragma once

#include "core/classic_session.h"
#include "engine/calculator.h"

namespace orlavex {

// A state member and the typed value it holds.
struct StateValue {
    double CalcState::*state;
    double core::ClassicValues::*value;
};

// Every value the state and the typed set-up share, pairwise.
inline constexpr StateValue state_values[] = {
    {&CalcState::DUT_InMatch, &core::ClassicValues::dut_in_match},
    {&CalcState::DUT_OutMatch, &core::ClassicValues::dut_out_match},
    {&CalcState::NS_Match, &core::ClassicValues::source_match},
    {&CalcState::SA_InMatch, &core::ClassicValues::analyzer_match},
    {&CalcState::ExtPA_InMatch, &core::ClassicValues::ext_pa_match},
    {&CalcState::ENR_Unc, &core::ClassicValues::enr_unc_db},
    {&CalcState::SA_Noise, &core::ClassicValues::analyzer_noise},
    {&CalcState::Freq, &core::ClassicValues::freq_ghz},
    {&CalcState::Freq2, &core::ClassicValues::freq2_ghz},
    {&CalcState::DUT_Gain, &core::ClassicValues::dut_gain_db},
    {&CalcState::ENR, &core::ClassicValues::enr_db},
    {&CalcState::Toff, &core::ClassicValues::toff_c},
    {&CalcState::CalON, &core::ClassicValues::cal_on_dbm},
    {&CalcState::CalOFF, &core::ClassicValues::cal_off_dbm},
    {&CalcState::MeasON, &core::ClassicValues::meas_on_dbm},
    {&CalcState::MeasOFF, &core::ClassicValues::meas_off_dbm},
    {&CalcState::DUT_NF, &core::ClassicValues::dut_nf_db},
    {&CalcState::ExtPA_Gain, &core::ClassicValues::ext_pa_gain_db},
    {&CalcState::ExtPA_NF, &core::ClassicValues::ext_pa_nf_db},
    {&CalcState::SAGainUnc, &core::ClassicValues::analyzer_gain_unc_db},
    {&CalcState::SANFUnc, &core::ClassicValues::analyzer_nf_unc_db},
};

// The typed value of the state member STATE.
constexpr double core::ClassicValues::*typed_value(double CalcState::*state) {
    for (const StateValue& pair : state_values) {
        if (pair.state == state) return pair.value;
    }
    return nullptr;
}

// The state's values (as the last reading of the fields left them) and the
// choices the controls show now.
core::ClassicSetup read_classic_setup(const Calculator& calc);

// The calculator CALC as a typed session for user actions to follow: its
// fields' values (as the recalculation reads them) and choices, and their
// classic result.
core::ClassicSession classic_session(const Calculator& calc);

// The state as RESULT leaves it: the values used, the limits, the
// reflections and the off temperature; the uncertainty when it was computed.
void adopt_classic_result(CalcState& state, const core::ClassicResult& result);

}  // namespace orlavex
