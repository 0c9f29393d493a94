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
#include <string_view>
#include <vector>

namespace orlavex::planning {

// True where the options give the DUT an image response: a double-sideband
// measurement, or an image ratio given.
bool image_response(const measure::ModelOptions& options);

struct ImagePoint {
    std::optional<measure::FrequencyPlan> plan;  // a converting DUT's, where it has one
    std::string problem;                         // why the point cannot be computed
    // Image values held from nearest records, and an image outside the
    // noise source's band.
    std::vector<std::string> notes;
    bool held = false;  // a value held from a file's nearest record
};

// Puts the image band of SETUP's model options into SETUP (filled from the
// window and the bench) for a DUT converting F_IN_GHZ to F_OUT_GHZ. The
// image's ENR is the measurement source's table's at the image frequency,
// else CALIBRATION_TABLE's (may be null) where the calibration source
// measures, else the signal band's; the loss before the DUT is its file's
// there, else its value. CALIBRATION_SOURCE is the calibration source's
// catalogue model (empty for a user's source): where it, or a catalogue
// measurement source, cannot serve at the image frequency, a note says so.
ImagePoint add_image(const BenchInput& bench, const datafiles::EnrTable* calibration_table,
                     double f_in_ghz, double f_out_ghz, measure::MeasurementSetup& setup,
                     std::string_view calibration_source = {});

// Why the catalogue noise source MODEL cannot give the image band at
// IMAGE_GHZ its ENR (below a waveguide band, above its upper frequency),
// and where the ENR taken there comes from (ENR_ORIGIN: "the signal
// band's"); empty where it can, and for a name the catalogue does not hold.
std::string image_outside_source(std::string_view model, double image_ghz,
                                 std::string_view enr_origin);

}  // namespace orlavex::planning
