// The three rules of thumb of a good Y-factor set-up, as margins in dB.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

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

// How far margin RULE lies above its green threshold: the lamp is green
// from 0 up, yellow from -guideline_yellow_width_db up, red below. On this
// scale the three rules can share one chart and one set of lamp zones.
constexpr double guideline_headroom_db(std::size_t rule, double margin_db) {
    return margin_db - guideline_rules[rule].green_from;
}

// The width of the yellow zone, the same for every rule.
inline constexpr double guideline_yellow_width_db =
    guideline_rules[0].green_from - guideline_rules[0].yellow_from;
static_assert(std::ranges::all_of(guideline_rules,
                                  [](const GuidelineRule& rule) {
                                      return rule.green_from - rule.yellow_from ==
                                             guideline_yellow_width_db;
                                  }),
              "the guideline headrooms share one yellow zone only if all are equally wide");

}  // namespace orlavex::measure
