// The sections of a plan's report, one function each (plan_report.cpp puts
// them in order).
#pragma once

#include "report/plan_report.h"

#include <optional>
#include <string>

namespace orlavex::report {

ReportSection setup_section(const PlanReportInput& input);
ReportSection instruments_section(const PlanReportInput& input);
ReportSection files_section(const PlanReportInput& input);
ReportSection model_section(const PlanReportInput& input);
ReportSection charts_section(const PlanReportInput& input);
ReportSection sweep_section(const PlanReportInput& input);
ReportSection budget_section(const PlanReportInput& input);
ReportSection advice_section(const planning::Advice& advice);
ReportSection notes_section(const PlanReportInput& input);

// Where the sweep takes the reflections as known: the reflections used at
// the budget's point, each with the file it came from or as typed.
void add_known_reflections(ReportSection& section, const PlanReportInput& input);

// BUDGET's lines: each source's u in its own unit, its sensitivity c, its
// share of u in dB of the DUT's noise figure.
ReportTable budget_table(const measure::Budget& budget);

// Why no point of RESULT has classic figures (the points' own reasons, or
// the window's set-up); none when a point has them or no point is in range.
std::optional<std::string> why_no_classic(const planning::SweepResult& result);

}  // namespace orlavex::report
