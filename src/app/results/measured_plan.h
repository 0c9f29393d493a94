// The plan beside a measurement: the set-up the readings were evaluated
// with, swept over frequency at the readings' own frequencies as `sweep`
// sweeps it, so that each measured point has the plan's prediction.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/sweep_request.h"
#include "app/results/readings_evaluation.h"
#include "charts/sweep_chart_data.h"
#include "planning/sweep.h"

#include <string>
#include <vector>

namespace orlavex::app {

struct MeasuredPlan {
    planning::Sweep sweep;  // as run: the window after the set-up, the files read
    planning::SweepResult result;
    std::vector<std::string> notes;  // values the window rounded or bounded
};

// REQUEST's set-up (its levels left out) at FREQS_GHZ, in their order.
// Throws planning::SweepError for a set-up the calculator refuses and
// datafiles::FileError for a bad data file.
MeasuredPlan plan_at(SweepRequest request, const std::vector<double>& freqs_ghz,
                     const ApplyOptions& options);

// POINTS as the charts' description: each point's noise figure, gain and U
// as measured_point_json gives them, with PLAN's figures at the same
// frequency where a plan is given (its points in the order of POINTS).
charts::SweepChartData measured_chart_data(const std::vector<MeasuredPoint>& points,
                                           const planning::SweepResult* plan, std::string title);

}  // namespace orlavex::app
