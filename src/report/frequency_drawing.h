// The frequency plan of a converting DUT as a small drawing: the signal,
// the image, the LO and the output on one frequency axis from 0 Hz, each
// labelled with its frequency.
#pragma once

#include "measure/frequency_plan.h"
#include "report/report_content.h"

namespace orlavex::report {

// The four frequencies of PLAN (valid) for a DUT converting F_IN_HZ to
// F_OUT_HZ, as a drawing headed CAPTION. Each is a vertical line at its place
// on the axis, its label ("image 8 GHz") beside the line's top; the labels
// stand in steps, the lowest frequency's highest, so that no line crosses
// another's label and no label another.
ReportDrawing frequency_plan_drawing(double f_in_hz, double f_out_hz,
                                     const measure::FrequencyPlan& plan, std::string caption);

}  // namespace orlavex::report
