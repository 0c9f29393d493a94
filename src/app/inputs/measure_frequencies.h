// The frequencies a measurement tunes the analyzer to: POINTS from FROM to
// TO GHz, each as the window's frequency field holds it, so that the
// readings are evaluated at the frequency they were taken at.
#pragma once

#include "app/inputs/setup.h"
#include "app/inputs/sweep_request.h"
#include "measure/fixed_lo.h"

#include <cstddef>
#include <optional>
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

// A converting DUT's LO as a measurement holds it: where SETUP's input and
// output frequencies (their fields' start-up values where it gives none)
// and its side of the LO put it. Empty, or why they place none.
std::string setup_lo(const Setup& setup, measure::FixedLo& lo);

// The output each of INPUTS reaches with LO, as the output frequency's field
// holds it; empty, or why one of them reaches none.
std::string output_frequencies(const measure::FixedLo& lo, const std::vector<double>& inputs,
                               std::vector<double>& out);

// The outputs a measurement at INPUTS reads a converting DUT at, the LO held
// where REQUEST's set-up puts it (none for a DUT that does not convert);
// empty, or why not, an input out of reach named as BAND_NAME.
std::string measured_outputs(const SweepRequest& request, const std::vector<double>& inputs,
                             const std::string& band_name, std::vector<double>& outputs);

}  // namespace orlavex::app
