// `orlavex-cli report`: the sweep's set-up, figures, charts, budget and
// notes as a measurement-plan report, HTML or PDF, written by the
// orlavex-plot helper (which alone loads Qt).
#pragma once

#include "cli/sweep_request.h"
#include "engine/calculator.h"

#include <CLI/CLI.hpp>

#include <ostream>
#include <string>

namespace orlavex::cli {

struct ReportRequest {
    SweepRequest sweep;  // the same inputs as `sweep`
    std::string output;  // FILE.html or FILE.pdf
    std::string paper = "a4";
    bool advise = false;  // add the advice's five best set-ups
};

// The sweep's options (those of `sweep` less its output) and the report's own.
// FROM_FILE: the arguments name a set-up file, which may give the range.
void add_report_options(CLI::App& sub, ReportRequest& request, bool from_file);

// The whole command on STARTED (a window after Form_Load). Returns the exit
// status; a bad output file is refused before the sweep runs.
int run_report_command(const ReportRequest& request, std::ostream& err);

}  // namespace orlavex::cli
