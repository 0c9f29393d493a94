#include "planning/swept_input.h"

#include <algorithm>

namespace orlavex::planning {

namespace {

// clang-format off
constexpr SweptInputInfo table[] = {
    {SweptInput::frequency,      "freq",           "freq_ghz",        "Frequency (GHz)",              {}},
    {SweptInput::dut_gain,       "dut-gain",       "dut_gain_db",     "DUT gain (dB)",                {}},
    {SweptInput::dut_nf,         "dut-nf",         "dut_nf_db",       "DUT noise figure (dB)",        {}},
    {SweptInput::enr,            "enr",            "enr_db",          "ENR (dB)",                     {}},
    {SweptInput::analyzer_nf,    "analyzer-nf",    "analyzer_own_nf_db", "Analyzer noise figure (dB)", {}},
    {SweptInput::toff,           "toff",           "toff_c",          "Noise source off temperature (\u00B0C)", {}},
    {SweptInput::dut_in_match,   "dut-in-match",   "dut_in_vswr",     "DUT input match",              MatchPort::dut_input},
    {SweptInput::dut_out_match,  "dut-out-match",  "dut_out_vswr",    "DUT output match",             MatchPort::dut_output},
    {SweptInput::source_match,   "source-match",   "source_vswr",     "Noise source match",           MatchPort::source},
    {SweptInput::analyzer_match, "analyzer-match", "analyzer_vswr",   "Analyzer input match",         MatchPort::analyzer},
};
constexpr SweptInputInfo model_table[] = {
    {SweptInput::loss_in,        "loss-in",        "loss_in_db",      "Loss before the DUT (dB)",     {}},
    {SweptInput::loss_out,       "loss-out",       "loss_out_db",     "Loss after the DUT (dB)",      {}},
    {SweptInput::image_ratio,    "image-ratio",    "image_ratio_db",  "Image ratio (dB)",             {}},
    {SweptInput::loss_in_phase,  "loss-in-phase",  "loss_in_phase_deg", "Phase of the loss before the DUT (\u00B0)", {}},
};
// clang-format on

}  // namespace

std::span<const SweptInputInfo> swept_inputs() {
    return table;
}

std::span<const SweptInputInfo> model_swept_inputs() {
    return model_table;
}

const SweptInputInfo& info(SweptInput input) {
    if (is_model_input(input))
        return *std::ranges::find(model_table, input, &SweptInputInfo::input);
    return *std::ranges::find(table, input, &SweptInputInfo::input);
}

const SweptInputInfo* find_swept_input(std::string_view name) {
    for (std::span<const SweptInputInfo> inputs : {swept_inputs(), model_swept_inputs()}) {
        const auto it = std::ranges::find(inputs, name, &SweptInputInfo::name);
        if (it != inputs.end()) return &*it;
    }
    return nullptr;
}

std::string_view column_name(SweptInput input, MatchForm form) {
    if (form == MatchForm::vswr) return info(input).column;
    switch (input) {
        case SweptInput::dut_in_match:
            return "dut_in_rl_db";
        case SweptInput::dut_out_match:
            return "dut_out_rl_db";
        case SweptInput::source_match:
            return "source_rl_db";
        case SweptInput::analyzer_match:
            return "analyzer_rl_db";
        default:
            return info(input).column;
    }
}

}  // namespace orlavex::planning
