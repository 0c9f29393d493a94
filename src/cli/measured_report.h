// A measurement's report (`report --readings`, `measure --report`): the
// readings evaluated as `evaluate --readings` evaluates them, beside the
// plan of the same set-up, written as HTML or PDF by orlavex-plot.
#pragma once

#include "cli/evaluate_readings.h"

#include <ostream>
#include <string>

namespace orlavex::cli {

struct MeasuredReportRequest {
    ReadingsRequest readings;  // its shown_as names the readings in the report
    std::string output;        // FILE.html or FILE.pdf
    std::string paper = "a4";
};

// The whole report: empty, or the one-line reason it was refused (notes on
// values the window rounded go to ERR).
std::string write_measured_report(const WindowInputs& inputs, const app::ModelInputs& model,
                                  const MeasuredReportRequest& request, std::ostream& err);

}  // namespace orlavex::cli
