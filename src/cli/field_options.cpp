#include "cli/field_options.h"

namespace orlavex::cli {

namespace {

using enum Ctl;

// Name, help; field, state value, format button, fixed by, scope.
// clang-format off
constexpr FieldOption options[] = {
    {"--dut-nf",            "DUT noise figure, dB",
     txtDUT_NF,       &CalcState::DUT_NF,        none,               FixedBy::nothing,     Scope::prediction},
    {"--dut-gain",          "DUT gain, dB",
     txtDUT_Gain,     &CalcState::DUT_Gain,      none,               FixedBy::nothing,     Scope::prediction},
    {"--dut-in-vswr",       "DUT input match as VSWR",
     txtDUT_InMatch,  &CalcState::DUT_InMatch,   optDUTIn_VSWR},
    {"--dut-in-rl",         "DUT input match as return loss, dB",
     txtDUT_InMatch,  &CalcState::DUT_InMatch,   optDUTIn_RL},
    {"--dut-out-vswr",      "DUT output match as VSWR",
     txtDUT_OutMatch, &CalcState::DUT_OutMatch,  optDUTOut_VSWR},
    {"--dut-out-rl",        "DUT output match as return loss, dB",
     txtDUT_OutMatch, &CalcState::DUT_OutMatch,  optDUTOut_RL},
    {"--freq",              "measurement (DUT input) frequency, GHz",
     txtFreq,         &CalcState::Freq},
    {"--freq2",             "DUT output frequency with --freq-conv, GHz",
     txtFreq2,        &CalcState::Freq2},
    {"--enr",               "noise source ENR, dB",
     txtENR,          &CalcState::ENR,           none,               FixedBy::noise_source},
    {"--enr-unc",           "ENR uncertainty, dB",
     txtENR_Unc,      &CalcState::ENR_Unc},
    {"--source-vswr",       "noise source match as VSWR",
     txtNS_Match,     &CalcState::NS_Match,      optNS_Match_VSWR,   FixedBy::noise_source},
    {"--source-rl",         "noise source match as return loss, dB",
     txtNS_Match,     &CalcState::NS_Match,      optNS_Match_RL,     FixedBy::noise_source},
    {"--toff",              "noise source off temperature, degrees C",
     txtToff,         &CalcState::Toff},
    {"--analyzer-nf",       "analyzer noise figure, dB",
     txtSA_Noise,     &CalcState::SA_Noise,      optSA_Noise_NF,     FixedBy::analyzer,    Scope::prediction},
    {"--analyzer-danl",     "analyzer noise level (DANL), dBm/Hz",
     txtSA_Noise,     &CalcState::SA_Noise,      optSA_Noise_DANL,   FixedBy::analyzer,    Scope::prediction},
    {"--analyzer-vswr",     "analyzer input match as VSWR",
     txtSA_InMatch,   &CalcState::SA_InMatch,    optSA_InMatch_VSWR, FixedBy::analyzer},
    {"--analyzer-rl",       "analyzer input match as return loss, dB",
     txtSA_InMatch,   &CalcState::SA_InMatch,    optSA_InMatch_RL,   FixedBy::analyzer},
    {"--analyzer-nf-unc",   "analyzer noise-figure uncertainty, dB",
     txtSANFUnc,      &CalcState::SANFUnc,       none,               FixedBy::analyzer},
    {"--analyzer-gain-unc", "analyzer level (gain) uncertainty, dB",
     txtSAGainUnc,    &CalcState::SAGainUnc,     none,               FixedBy::analyzer},
    {"--ext-preamp-gain",   "external preamplifier gain, dB",
     txtExtPA_Gain,   &CalcState::ExtPA_Gain,    none,               FixedBy::nothing,     Scope::prediction},
    {"--ext-preamp-nf",     "external preamplifier noise figure, dB",
     txtExtPA_NF,     &CalcState::ExtPA_NF,      none,               FixedBy::nothing,     Scope::prediction},
    {"--ext-preamp-vswr",   "external preamplifier input match as VSWR",
     txtSA_InMatch,   &CalcState::ExtPA_InMatch, optSA_InMatch_VSWR, FixedBy::nothing,     Scope::prediction},
    {"--cal-on",            "calibration level, source on, dBm (not with --no-second-stage)",
     txtCalON,        &CalcState::CalON,         none,               FixedBy::nothing,     Scope::levels},
    {"--cal-off",           "calibration level, source off, dBm (not with --no-second-stage)",
     txtCalOFF,       &CalcState::CalOFF,        none,               FixedBy::nothing,     Scope::levels},
    {"--meas-on",           "measurement level, source on, dBm",
     txtMeasON,       &CalcState::MeasON,        none,               FixedBy::nothing,     Scope::levels},
    {"--meas-off",          "measurement level, source off, dBm",
     txtMeasOFF,      &CalcState::MeasOFF,       none,               FixedBy::nothing,     Scope::levels},
};
// clang-format on

}  // namespace

std::span<const FieldOption> field_options() {
    return options;
}

const FieldOption* find_field_option(std::string_view name) {
    for (const FieldOption& o : options) {
        if (o.name == name) return &o;
    }
    return nullptr;
}

}  // namespace orlavex::cli
