// orlavex-plot --report: writes a measurement-plan report whose content
// orlavex-cli hands over as JSON on standard input.
//
//   orlavex-plot --report FILE.html|FILE.pdf [a4|letter] < report.json
#pragma once

#include <string>

namespace orlavex::report {

// ARGS: the file and, optionally, the paper. The exit status: 0, 1 when the
// file cannot be written, 2 for bad usage or data (said on standard error).
int run_report_mode(int argc, char** argv, const std::string& input);

}  // namespace orlavex::report
