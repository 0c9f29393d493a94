// `orlavex-cli report`: the sweep's set-up, figures, charts, budget and
// notes as a measurement-plan report, HTML or PDF, written by the
// orlavex-plot helper (which alone loads Qt).
#pragma once

#include "cli/sweep_request.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

namespace orlavex::cli {

struct ReportRequest {
    SweepRequest sweep;  // the same inputs as `sweep`
    std::string output;  // FILE.html or FILE.pdf
    std::string paper = "a4";
    bool advise = false;  // add the advice's five best set-ups
    // A measurement's report in place of the plan's: its readings file and
    // the calibration file of its own; empty for none.
    std::string readings, calibration;
};

// The sweep's options (those of `sweep` less its output) and the report's own.
// FROM_FILE: the arguments name a set-up file or readings, which may give
// the range.
void add_report_options(CLI::App& sub, ReportRequest& request, bool from_file);

// Why a report cannot go to FILE (not .html or .pdf, not writable, no
// orlavex-plot), naming OPTION; empty when it can.
std::string report_output_refusal(const std::string& file, const std::string& option = "-o");

// The whole command. Returns the exit status; a bad output file is refused before the sweep runs.
int run_report_command(const ReportRequest& request, std::ostream& err);

}  // namespace orlavex::cli
