// The frequencies a measurement tunes the analyzer to: POINTS from FROM to
// TO GHz, each as the window's frequency field holds it, so that the
// readings are evaluated at the frequency they were taken at.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orlavex::app {

// Why FROM, TO and POINTS give no band, worded with the names FROM_NAME,
// TO_NAME and POINTS_NAME; empty when they give one.
std::string band_refusal(double from_ghz, double to_ghz, std::size_t points,
                         const std::string& from_name, const std::string& to_name,
                         const std::string& points_name);

// The band, ends included (FROM alone for one point).
std::vector<double> measure_frequencies(double from_ghz, double to_ghz, std::size_t points);

}  // namespace orlavex::app
