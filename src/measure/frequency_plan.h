// The frequencies of a frequency-converting DUT: where its local oscillator
// sits and which second input band, the image, reaches its output too.
#pragma once

#include <string>

namespace orlavex::measure {

// Side of the signal input the local oscillator is on, as the engineer
// states it: below, f_LO = |f_in - f_out|; above, f_LO = f_in + f_out.
enum class LoSide { below, above };

// LO and image frequency in Hz; when the frequencies give no image, both 0
// and PROBLEM says why.
struct FrequencyPlan {
    double lo_hz = 0, image_hz = 0;
    std::string problem;
    bool valid() const { return problem.empty(); }
};

// The two inputs a converter with its LO at f_LO brings to f_out are
// f_LO + f_out and |f_LO - f_out|: f_in is one, the image the other. Refused
// for f_in = f_out (no conversion, no image), for frequencies not finite and
// above 0, and where the image would fall at 0 Hz.
FrequencyPlan frequency_plan(double f_in_hz, double f_out_hz, LoSide side);

}  // namespace orlavex::measure
