// The error sources of the extended model: their names, standard
// uncertainties and how a value of each enters the simulated measurement.
#pragma once

#include "measure/setup.h"
#include "measure/simulation.h"

#include <string_view>
#include <vector>

namespace orlavex::measure {

enum class Distribution { normal, rectangular, phase_uniform };

struct ErrorSource {
    std::string_view name;
    Distribution distribution = Distribution::normal;
    double u = 0;  // standard uncertainty
    // Normal: standard deviation (= u). Rectangular: half-width. Phase
    // uniform: the product of the two reflection magnitudes.
    double width = 0;
    // Adds a value of this source to a draw.
    void (*apply)(ErrorDraw&, double) = nullptr;
};

// The sources of a set-up in their fixed order: one ENR line ("enr") that
// moves calibration and measurement together, or two independent ones
// ("enr_cal", "enr_meas") with a frequency-converting DUT; then the three
// mismatches, the analyzer's noise-figure errors in measurement and
// calibration, its level error, and the jitter of the four readings.
std::vector<ErrorSource> error_sources(const MeasurementSetup& setup);

}  // namespace orlavex::measure
