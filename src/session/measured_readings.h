// Readings measured on the bench, evaluated with the plan's set-up, as the
// planner shows them over the planned uncertainty.
#pragma once

#include "app/results/readings_evaluation.h"
#include "planning/sweep.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::session {

struct MeasuredReadings {
    std::string name;  // the readings file's name, or what took them
    std::vector<app::MeasuredPoint> points;
    // The DUT noise figure the plan assumes, which the measured ones are
    // compared with; none when the set-up gives none.
    std::optional<double> planned_dut_nf_db;
};

// A measured point as the uncertainty chart draws it: its frequency, the
// measured DUT noise figure less the planned one, and its expanded
// uncertainty (the error bar's half length).
struct MeasuredMark {
    double freq_ghz = 0;
    std::optional<double> error_db, expanded_db;
};

// Each point of READINGS with a noise figure; the error is the noise figure
// itself when the plan assumes none.
std::vector<MeasuredMark> measured_marks(const MeasuredReadings& readings);

// How many of MARKS lie within the planned expanded uncertainty (GUM, k = 2)
// of PLAN's in-range point nearest in frequency.
std::size_t marks_within_plan(const std::vector<MeasuredMark>& marks,
                              const planning::SweepResult& plan);

}  // namespace orlavex::session
