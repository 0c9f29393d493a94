// A measurement on the bench as the planner runs it: what the user chose
// (the analyzer, its profile, how the source is switched, the band and the
// repeats) checked against the plan's set-up into the run's plan, and the
// readings of a finished run as the file `evaluate --readings` reads.
#pragma once

#include "app/inputs/sweep_request.h"
#include "instruments/measurement_run.h"

#include <string>

namespace orlavex::session {

struct MeasureChoices {
    std::string analyzer;                           // its resource
    std::string profile = "analyzer-marker-noise";  // a shipped profile, or a file
    // analyzer, supply:RESOURCE, command:CMD {state}, or prompt.
    std::string source = "analyzer";
    std::string supply_profile = "supply-28v";
    double from_ghz = 0, to_ghz = 0;
    std::size_t points = 1, repeat = 1;
    double timeout_s = 10;
    bool ask = true;  // before the calibration and the DUT
};

// The run CHOICES ask for with the plan's REQUEST (whose second-stage
// correction decides whether a calibration is measured, and whose input and
// output frequencies hold a converting DUT's LO) in PLAN; empty, or the one
// line saying why not.
std::string measurement_plan(const MeasureChoices& choices, const app::SweepRequest& request,
                             instruments::MeasurementPlan& plan);

// The analyzer's reply to *IDN? at RESOURCE, or why there is none, as
// {true, reply} or {false, why}.
std::pair<bool, std::string> identify(const std::string& resource, double timeout_s);

// The readings of OUTCOME (of a run of PLAN) as a readings file's text,
// headed by COMMENT; empty when it measured none.
std::string measured_text(const instruments::MeasurementOutcome& outcome,
                          const instruments::MeasurementPlan& plan, const std::string& comment);

// The line saying how a run that failed ended, what it kept and whether the
// source may still be on.
std::string failure_text(const instruments::MeasurementOutcome& outcome,
                         const instruments::MeasurementPlan& plan);

}  // namespace orlavex::session
