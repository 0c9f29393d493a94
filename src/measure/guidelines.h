// The three rules of thumb of a good Y-factor set-up, as margins in dB.
#pragma once

#include <array>

namespace orlavex::measure {

// Margins in the rules' order:
// 1. (NF + G) of the DUT over the analyzer's noise figure,
// 2. the effective ENR over the DUT's noise figure,
// 3. the effective ENR over the analyzer's noise figure.
std::array<double, 3> guideline_margins_db(double dut_nf_db, double dut_gain_db,
                                           double analyzer_nf_db, double enr_eff_db);

// A margin from green_from up is good, from yellow_from up marginal, below
// it poor.
struct GuidelineRule {
    double green_from;
    double yellow_from;
};

inline constexpr std::array<GuidelineRule, 3> guideline_rules = {{
    {1.0, 0.0},
    {5.0, 4.0},
    {3.0, 2.0},
}};

}  // namespace orlavex::measure
