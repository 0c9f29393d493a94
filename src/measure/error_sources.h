// The error sources of the extended model: their names, standard
// uncertainties and where a value of each enters the simulated measurement.
#pragma once

#include "measure/setup.h"
#include "measure/simulated_measurement.h"
#include "measure/simulation.h"

#include <string_view>
#include <vector>

namespace orlavex::measure {

enum class Distribution { normal, rectangular, phase_uniform };

// The quantity a source's value changes.
enum class Target {
    enr_both,  // ENR at calibration and measurement together
    enr_cal,
    enr_meas,
    mismatch_in,
    mismatch_cal,
    mismatch_out,
    analyzer_nf_meas,
    analyzer_nf_cal,
    analyzer_gain,
    jitter_cal_off,
    jitter_cal_on,
    jitter_meas_off,
    jitter_meas_on,
    loss_in,
    loss_out,
    image_ratio,  // image-to-signal conversion-gain ratio
    enr_image,    // ENR at the image frequency
};

struct ErrorSource {
    std::string_view name;
    Target target = Target::enr_both;
    Distribution distribution = Distribution::normal;
    double u = 0;  // standard uncertainty: dB, natural log for jitter
    // Normal: standard deviation (= u). Rectangular: half-width. Phase
    // uniform: the product of the two reflection magnitudes.
    double width = 0;
};

// The sources of a set-up in their fixed order: one ENR line ("enr") that
// moves calibration and measurement together, or two independent ones
// ("enr_cal", "enr_meas") with a frequency-converting DUT or a separate
// measurement source; then the three mismatches (without "mismatch_in" when
// the reflections at the DUT input are known), the analyzer's
// noise-figure errors in measurement and calibration, its level error, the
// jitter of the four readings, the losses before and after the DUT
// ("loss_in", "loss_out") where the bench has them, and with an image
// response its gain ratio and the ENR at its frequency ("image_ratio",
// "enr_image"; the ENR errors at calibration and measurement then apart).
std::vector<ErrorSource> error_sources(const MeasurementSetup& setup);

// Multiplies the factor TARGET changes by FACTOR (the linear effect of a
// value: lin(dB value), or exp(value) for jitter).
void apply_factor(ErrorFactors& factors, Target target, double factor);

// The target that moves the same factor as TARGET, the same for every
// target that does: the analyzer's level error moves the measured gain, as
// the output mismatch does.
Target factor_moved(Target target);

// Targets in all.
inline constexpr std::size_t target_count = static_cast<std::size_t>(Target::enr_image) + 1;

// True for the jitter sources, whose values are natural logarithms.
bool in_natural_log(Target target);

}  // namespace orlavex::measure
