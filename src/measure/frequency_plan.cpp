#include "measure/frequency_plan.h"

#include <cmath>
#include <utility>

namespace orlavex::measure {

namespace {

FrequencyPlan refused(std::string why) {
    FrequencyPlan plan;
    plan.problem = std::move(why);
    return plan;
}

}  // namespace

FrequencyPlan frequency_plan(double f_in_hz, double f_out_hz, LoSide side) {
    if (!(std::isfinite(f_in_hz) && f_in_hz > 0 && std::isfinite(f_out_hz) && f_out_hz > 0))
        return refused("the input and output frequencies are finite and above 0 Hz");
    if (f_in_hz == f_out_hz)
        return refused(
            "input and output at the same frequency: the DUT converts nothing and "
            "has no image");
    FrequencyPlan plan;
    plan.lo_hz = side == LoSide::below ? std::fabs(f_in_hz - f_out_hz) : f_in_hz + f_out_hz;
    // Of the two inputs that reach f_out, the image is the one that is not
    // f_in: the farther from it (the nearer is f_in up to rounding).
    const double sum = plan.lo_hz + f_out_hz, difference = std::fabs(plan.lo_hz - f_out_hz);
    plan.image_hz = std::fabs(sum - f_in_hz) > std::fabs(difference - f_in_hz) ? sum : difference;
    if (!(plan.image_hz > 0))
        return refused("the LO sits at the output frequency: the image would fall at 0 Hz");
    return plan;
}

}  // namespace orlavex::measure
