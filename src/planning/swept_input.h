// The inputs a sweep can vary, with the names and units scripts see.
#pragma once

#include "core/classic_session.h"

#include <optional>
#include <span>
#include <string_view>

namespace orlavex::planning {

using core::MatchForm;
using core::MatchPort;

enum class SweptInput {
    frequency,       // GHz, the measurement (DUT input) frequency
    dut_gain,        // dB
    dut_nf,          // dB
    enr,             // dB
    analyzer_nf,     // dB, the analyzer's own noise figure ("User" analyzer)
    toff,            // degrees C, the noise source's off temperature
    dut_in_match,    // VSWR or return loss (dB), as the sweep's match form says
    dut_out_match,   //
    source_match,    // the noise source ("User" noise source)
    analyzer_match,  // the analyzer input ("User" analyzer, or the external preamp)
    loss_in,         // dB, the loss before the DUT (not a window field)
    loss_out,        // dB, the loss after the DUT
    image_ratio,     // dB, a converting DUT's image-to-signal gain (not a window field)
    // Degrees: the electrical length of the loss before the DUT, which turns
    // its S21 and so the source's reflections the DUT sees (known
    // reflections only).
    loss_in_phase,
};

// The bench's losses are the model's own inputs: no window field holds them.
constexpr bool is_bench_loss(SweptInput input) {
    return input == SweptInput::loss_in || input == SweptInput::loss_out;
}
// Those and the model's options: the model varies them, not the window.
constexpr bool is_model_input(SweptInput input) {
    return is_bench_loss(input) || input == SweptInput::image_ratio ||
           input == SweptInput::loss_in_phase;
}

struct SweptInputInfo {
    SweptInput input;
    std::string_view name;          // as the command line names it: "freq", "dut-gain", ...
    std::string_view column;        // with its unit: "freq_ghz", "dut_gain_db", ...
    std::string_view label;         // for a chart axis: "Frequency (GHz)"
    std::optional<MatchPort> port;  // for the matches
};

// The window's fields a sweep can vary.
std::span<const SweptInputInfo> swept_inputs();
// The bench's losses and the image ratio, which the model varies (no window
// field holds them).
std::span<const SweptInputInfo> model_swept_inputs();
const SweptInputInfo& info(SweptInput input);
// By command-line name, of either list; nullptr when unknown.
const SweptInputInfo* find_swept_input(std::string_view name);

// The column name of a match input depends on its form: "dut_in_vswr" or
// "dut_in_rl_db".
std::string_view column_name(SweptInput input, MatchForm form);

}  // namespace orlavex::planning
