// `orlavex-cli evaluate --readings FILE`: a band of measured readings, each
// frequency evaluated as `evaluate` evaluates four levels, as a table, CSV
// or JSON.
#pragma once

#include "app/inputs/model_inputs.h"
#include "cli/window_inputs.h"

#include <ostream>
#include <string>

namespace orlavex::cli {

struct ReadingsRequest {
    std::string path;              // the readings file; empty for none
    std::string calibration;       // a calibration file of its own; empty for none
    std::string format = "table";  // table, csv or json
    std::string shown_as;          // what the table calls the readings; empty: the path
};

// The whole command: empty, or the one-line reason it was refused (nothing
// written then).
std::string run_evaluate_readings(const WindowInputs& inputs, const app::ModelInputs& model,
                                  const ReadingsRequest& request, std::ostream& out);

}  // namespace orlavex::cli
