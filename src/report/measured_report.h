// Gathers a measurement's report: the set-up and the instruments as a plan's
// report gives them, the readings file with its SHA-256, the results with
// their uncertainty beside the plan's prediction, the GUM budget at the
// worst point and every note.
#pragma once

#include "app/json.h"
#include "app/results/readings_evaluation.h"
#include "report/plan_report.h"

#include <string>
#include <vector>

namespace orlavex::report {

// A file the results were evaluated from.
struct ReadingsFileFacts {
    std::string role;  // "Readings", "Calibration"
    std::string name;  // as the report shows it (no folder)
    std::string sha256;
    std::size_t frequencies = 0;
};

struct MeasuredReportInput {
    // The set-up, and its plan swept at the readings' frequencies (a point
    // of the plan for each measured point, in their order).
    PlanReportInput plan;
    const std::vector<app::MeasuredPoint>& points;
    const std::vector<app::Json>& rows;  // each point as the JSON output gives it
    std::vector<ReadingsFileFacts> files;
};

ReportContent measured_report(const MeasuredReportInput& input);

// The index of the measured point with the largest U (the first of
// equals); none when no point has one.
std::optional<std::size_t> worst_measured(const std::vector<app::Json>& rows);

}  // namespace orlavex::report
