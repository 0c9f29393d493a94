// A band of measured readings evaluated frequency by frequency as
// `evaluate` evaluates four levels, with the uncertainty of repeated
// readings from their own scatter (Type A) in place of the planned jitter.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/setup.h"
#include "app/json.h"
#include "app/results/evaluation.h"
#include "datafiles/readings_file.h"
#include "datafiles/touchstone.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::app {

struct MeasuredPoint {
    double freq_ghz = 0;
    std::size_t readings = 0;  // at this frequency
    // The mean of each level's linear power evaluated exactly; its budget
    // with the Type A lines of repeated readings (coverage factor from
    // nu_eff), or the planned jitter for single readings (k = 2).
    Evaluation evaluation;
    double nu_eff = 0;  // infinite without Type A lines
};

struct ReadingsOutcome {
    std::vector<MeasuredPoint> points;
    std::string refused;  // empty when every point was evaluated
};

// Each point of READINGS with SETUP (whose frequency and levels it replaces).
// With CALIBRATION_FILE (read with datafiles::ReadingsColumns::calibration)
// its levels at each point's calibration frequency (the output frequency of
// a converting DUT) in place of the readings' own, which must not be given.
// With ENR_TABLE the ENR and its uncertainty at each point's frequency, as
// run_evaluation takes them. With DUT_SPARAMETERS the DUT's matches from its
// S11 and S22 at each point's frequency, as a sweep takes them.
ReadingsOutcome evaluate_readings(const Setup& setup, const datafiles::Readings& readings,
                                  const ApplyOptions& options,
                                  const datafiles::Readings* calibration_file = nullptr,
                                  const datafiles::EnrTable* enr_table = nullptr,
                                  const datafiles::Touchstone* dut_sparameters = nullptr);

// {freq_ghz, readings, dut_nf_db, dut_gain_db, u_db, U_db, k, nu_eff, gum
// (WITH_BUDGET), notes}; null for a figure not given.
Json measured_point_json(const MeasuredPoint& point, bool with_budget);

}  // namespace orlavex::app
