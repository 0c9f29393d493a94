// Uncertainty budget of the DUT noise figure after the GUM: sensitivities by
// central differences of the simulated measurement around the perfect one,
// contributions combined root-sum-square, expanded with k = 2.
//
// Lines, in this order: "enr" (one ENR error for calibration and
// measurement), or "enr_cal" and "enr_meas" (independent, with a
// frequency-converting DUT or a separate measurement source);
// "mismatch_in" (not with known reflections at the DUT input), "mismatch_cal", "mismatch_out";
// "analyzer_nf_meas", "analyzer_nf_cal", "analyzer_gain"; "jitter_cal_off", "jitter_cal_on",
// "jitter_meas_off", "jitter_meas_on"; then "loss_in" and "loss_out" where
// the bench has that loss; then "image_ratio" and "enr_image" with an image
// response (which also puts "enr_cal" and "enr_meas" apart). A source without uncertainty keeps its
// line (u = 0, u_i = 0) with its sensitivity, which never makes the budget undetermined.
#pragma once

#include "measure/setup.h"

#include <string_view>
#include <vector>

namespace orlavex::measure {

// How a line's sensitivity was found.
enum class Sensitivity {
    central,        // central difference
    upward_only,    // the step below leaves the valid region: one-sided difference upward
    downward_only,  // the step above leaves it: one-sided difference downward
    undetermined,   // both steps leave it: no sensitivity (c NaN)
};

struct BudgetLine {
    std::string_view source;  // stable short identifier, e.g. "enr", "mismatch_in"
    double u = 0;             // standard uncertainty of the source (dB, or natural log for jitter)
    double c = 0;             // sensitivity, dB of DUT NF per unit of the source
    double u_i_db = 0;        // |c| u
    double share = 0;         // u_i^2 / u_c^2
    Sensitivity found = Sensitivity::central;
    std::string_view note;  // empty for a central difference, else what was done and why
};

struct Budget {
    std::vector<BudgetLine> lines;  // fixed order, every source listed
    double u_c_db = 0;
    double k = 2;
    double U_db = 0;
    // Error of the measurement with every source at zero: 0 with second-stage
    // correction, the classic offset db(F_sys) - DUT NF without it; with
    // known reflections the source-match bias is in it (the budget is
    // taken around that biased point).
    double offset_db = 0;
    // False when the nominal measurement has no valid result (Y <= 1,
    // F_dut <= 0), or a source with uncertainty has no sensitivity in
    // either direction: no budget can be given, and the numbers above may
    // be NaN. A line with a one-sided difference keeps the budget valid.
    bool valid = false;
};

Budget gum_budget(const MeasurementSetup& setup);

// The note a line carries for each way of finding its sensitivity.
std::string_view sensitivity_note(Sensitivity found);

}  // namespace orlavex::measure
