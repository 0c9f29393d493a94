// The unit of each error source's standard uncertainty in a budget: the
// reading jitter is a relative scatter of a power, in nepers; every other
// source is in dB. Its sensitivity c is dB of DUT noise figure per that unit.
#pragma once

#include <array>
#include <string_view>

namespace orlavex::app {

struct BudgetSourceUnit {
    std::string_view source;  // measure::BudgetLine::source
    std::string_view unit;    // "dB" or "Np"
};

// clang-format off
inline constexpr std::array budget_source_units{
    BudgetSourceUnit{"enr", "dB"},
    BudgetSourceUnit{"enr_cal", "dB"},
    BudgetSourceUnit{"enr_meas", "dB"},
    BudgetSourceUnit{"mismatch_in", "dB"},
    BudgetSourceUnit{"mismatch_cal", "dB"},
    BudgetSourceUnit{"mismatch_out", "dB"},
    BudgetSourceUnit{"analyzer_nf_meas", "dB"},
    BudgetSourceUnit{"analyzer_nf_cal", "dB"},
    BudgetSourceUnit{"analyzer_gain", "dB"},
    BudgetSourceUnit{"jitter_cal_off", "Np"},
    BudgetSourceUnit{"jitter_cal_on", "Np"},
    BudgetSourceUnit{"jitter_meas_off", "Np"},
    BudgetSourceUnit{"jitter_meas_on", "Np"},
    BudgetSourceUnit{"loss_in", "dB"},
    BudgetSourceUnit{"loss_out", "dB"},
    BudgetSourceUnit{"image_ratio", "dB"},
    BudgetSourceUnit{"enr_image", "dB"},
};
// clang-format on

// The unit of SOURCE's u; empty for a source the table does not know.
std::string_view budget_unit(std::string_view source);

}  // namespace orlavex::app
