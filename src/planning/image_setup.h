// A frequency-converting DUT's image band at one point: where its LO and
// image lie, and the measurement model's image band there from the model's
// options, the ENR table and the loss file at the image frequency.
#pragma once

#include "datafiles/enr_table.h"
#include "measure/frequency_plan.h"
#include "measure/setup.h"
#include "planning/bench_setup.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::planning {

// True where the options give the DUT an image response: a double-sideband
// measurement, or an image ratio given.
bool image_response(const measure::ModelOptions& options);

struct ImagePoint {
    std::optional<measure::FrequencyPlan> plan;  // a converting DUT's, where it has one
    std::string problem;                         // why the point cannot be computed
    std::vector<std::string> notes;              // image values held from nearest records
};

// Puts the image band of SETUP's model options into SETUP (filled from the
// window and the bench) for a DUT converting F_IN_GHZ to F_OUT_GHZ. The
// image's ENR is the measurement source's table's at the image frequency,
// else CALIBRATION_TABLE's (may be null) where the calibration source
// measures, else the signal band's; the loss before the DUT is its file's
// there, else its value.
ImagePoint add_image(const BenchInput& bench, const datafiles::EnrTable* calibration_table,
                     double f_in_ghz, double f_out_ghz, measure::MeasurementSetup& setup);

}  // namespace orlavex::planning
