// A frequency-converting DUT measured with its local oscillator held still:
// where the LO sits (from one input and output frequency and the side of the
// LO), and the output each input reaches, or the input behind each output.
#pragma once

#include "measure/frequency_plan.h"

#include <optional>

namespace orlavex::measure {

struct FixedLo {
    double lo_ghz = 0;
    LoSide side = LoSide::below;
    // With the LO below: the output above the input (LO + input), else
    // below it (input - LO). The LO above gives LO - input.
    bool up = false;
};

// The LO that converts F_IN_GHZ to F_OUT_GHZ from SIDE; none where
// frequency_plan() refuses them.
std::optional<FixedLo> fixed_lo(double f_in_ghz, double f_out_ghz, LoSide side);

// The output INPUT_GHZ reaches; none where it would be 0 Hz or below, or
// where the input is on the other side of the LO.
std::optional<double> output_of(const FixedLo& lo, double input_ghz);
// The input that reaches OUTPUT_GHZ; none where there is no such input.
std::optional<double> input_of(const FixedLo& lo, double output_ghz);

}  // namespace orlavex::measure
