// The bench around the DUT: matched losses at their physical temperatures
// before and after it, what the analyzer's loss compensation makes of them,
// the equivalent set-up the classic figures are given for, and the checks
// of the bench's inputs.
#pragma once

#include "measure/setup.h"

#include <string>

namespace orlavex::measure {

// (The two formulas inline: the Monte Carlo's vectorised trial loop
// evaluates them.)
// Noise temperature T seen through a matched loss (linear, >= 1) at
// physical temperature Tp: T / l + Tp (1 - 1/l).
inline double through_loss_k(double t_k, double loss_lin, double t_loss_k) {
    return t_k / loss_lin + t_loss_k * (1 - 1 / loss_lin);
}

// The nominal bench losses (linear) and their physical temperatures, as the
// analyzer's loss compensation takes them.
struct LossCompensation {
    double loss_in = 1, loss_out = 1;
    double t_in_k = T0, t_out_k = T0;
};
LossCompensation loss_compensation(const MeasurementSetup& setup);

// The noise source as the DUT input sees it through the loss before it:
// the ENR its hot temperature there means, and its off temperature there.
// With no loss, the source itself.
struct SourceAtInput {
    double enr_lin = 0, tc_k = 0;
};
SourceAtInput source_through_loss(double enr_lin, double tc_k, double loss_lin, double t_loss_k);

// Excess noise factor F2 - 1 of the second stage seen from the DUT output:
// the loss after the DUT at its temperature, then the analyzer chain of
// noise factor f_analyzer: (l - 1) Tp / T0 + l (Fa - 1).
inline double second_stage_excess(double f_analyzer, double loss_lin, double t_loss_k) {
    return (loss_lin - 1) * t_loss_k / T0 + loss_lin * (f_analyzer - 1);
}

// The set-up an engineer would type into the calculator for this bench:
// the measurement source's ENR and the off temperature at the DUT input,
// and the noise figure of the loss after the DUT and the analyzer chain
// together. Not valid where the source at the DUT input is no hotter than
// T0 (no ENR in dB to give).
struct EquivalentSetup {
    bool valid = false;
    double enr_db = 0;
    double tc_k = 0;
    double analyzer_nf_db = 0;
};
EquivalentSetup equivalent_setup(const MeasurementSetup& setup);

// Empty when the bench's inputs, the image band's and the known reflections
// included, are physical;
// otherwise one line saying which input is wrong and why.
std::string bench_problem(const MeasurementSetup& setup);

}  // namespace orlavex::measure
