// The sections of a plan's report, one function each (plan_report.cpp puts
// them in order).
#pragma once

#include "report/plan_report.h"

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

}  // namespace orlavex::report
