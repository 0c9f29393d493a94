// The report of readings taken with Tools > Measure...: the measurement
// report orlavex-cli measure --report and report --readings write, gathered
// from the planner's set-up and the readings' own bytes, written by the
// report writer File > Report... uses.
#pragma once

#include "report/report_content.h"
#include "report/report_format.h"
#include "session/planner_session.h"

#include <QString>

#include <string>

namespace orlavex::planner {

struct TakenReadings {
    std::string text;      // the readings file's bytes, as saved
    std::string shown_as;  // the report's name for them
};

// The report of READINGS evaluated with SESSION's set-up, dated DATE, in
// OUT: empty, or the one line saying why there is none.
std::string measurement_report(const session::PlannerSession& session,
                               const TakenReadings& readings, const std::string& date,
                               report::ReportContent& out);

// The report written to PATH, HTML or PDF by its extension: empty, or why
// not.
QString write_measurement_report(const session::PlannerSession& session,
                                 const TakenReadings& readings, const QString& path,
                                 report::Paper paper);

}  // namespace orlavex::planner
