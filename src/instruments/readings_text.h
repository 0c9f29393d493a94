// The readings a measurement takes, kept frequency by frequency, and
// written as the readings and calibration files `evaluate --readings` reads.
#pragma once

#include "instruments/profile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::instruments {

struct MeasuredFrequency {
    double freq_ghz = 0;
    // A converting DUT's output frequency, where the DUT's readings were
    // taken and its calibration's; none for a DUT that converts nothing.
    std::optional<double> output_ghz;
    // One row per repetition: cal off, cal on, meas off, meas on in dBm in
    // 1 MHz; the calibration's pair is unused with a calibration file.
    std::vector<std::array<double, 4>> rows;
};

// What one reading stands for: the noise bandwidth and integration time of
// the analyzer's profile.
struct ReadingSpan {
    double noise_bw_hz = 0, tau_s = 0;
};
inline ReadingSpan reading_span(const Profile& profile) {
    return {profile.noise_bandwidth_hz, profile.integration_time_s};
}

// The readings file of POINTS (with the calibration columns when
// WITH_CALIBRATION, freq2_ghz when they give output frequencies, and
// noise_bw_hz and tau_s with SPAN), its header comment naming what took
// them.
std::string readings_text(const std::vector<MeasuredFrequency>& points, bool with_calibration,
                          const std::string& comment, std::optional<ReadingSpan> span = {});
// The calibration file of POINTS: freq_ghz, cal_off_dbm, cal_on_dbm (the
// mean of repeated readings' linear powers).
std::string calibration_text(const std::vector<MeasuredFrequency>& points,
                             const std::string& comment);

// TEXT written to PATH; empty, or why it could not be.
std::string write_text(const std::string& path, const std::string& text);

}  // namespace orlavex::instruments
