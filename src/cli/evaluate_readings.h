// `orlavex-cli evaluate --readings FILE`: a band of measured readings, each
// frequency evaluated as `evaluate` evaluates four levels, as a table, CSV
// or JSON.
#pragma once

#include "app/inputs/model_inputs.h"
#include "app/json.h"
#include "app/results/readings_evaluation.h"
#include "cli/window_inputs.h"

#include <ostream>
#include <string>
#include <vector>

namespace orlavex::cli {

struct ReadingsRequest {
    std::string path;              // the readings file; empty for none
    std::string calibration;       // a calibration file of its own; empty for none
    std::string format = "table";  // table, csv or json
    std::string shown_as;          // what the table calls the readings; empty: the path
    std::string plot;              // FILE.svg or FILE.png for the charts; empty for none
};

// A band of readings evaluated, for each of the command's outputs.
struct EvaluatedReadings {
    app::SweepRequest typed;  // the set-up, over its --setup file
    std::vector<app::MeasuredPoint> points;
    // Each point as the JSON output gives it; its budget only for that output
    // (building a budget's JSON per point costs more than the evaluation).
    std::vector<app::Json> rows;
};

// REQUEST's readings (and calibration file) evaluated with INPUTS' set-up
// into OUT, the set-up saved where --save-setup asks: empty, or the
// one-line reason they were refused.
std::string evaluate_readings_file(const WindowInputs& inputs, const app::ModelInputs& model,
                                   const ReadingsRequest& request, EvaluatedReadings& out);

// Whether INPUTS give a set-up to plan with beside the readings: a set-up
// file, or an option of the set-up or the model.
bool gives_plan(const WindowInputs& inputs);

// The whole command: empty, or the one-line reason it was refused (nothing
// written then).
std::string run_evaluate_readings(const WindowInputs& inputs, const app::ModelInputs& model,
                                  const ReadingsRequest& request, std::ostream& out);

}  // namespace orlavex::cli
