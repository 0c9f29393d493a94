// What `orlavex-cli sweep` and `orlavex-cli advise` are asked: the window's
// inputs plus the range, the files and the output, and turning them into
// the application's sweep request.
#pragma once

#include "app/inputs/sweep_request.h"
#include "cli/window_inputs.h"
#include "datafiles/file_error.h"
#include "engine/calculator.h"
#include "planning/sweep.h"

#include <CLI/CLI.hpp>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

namespace orlavex::cli {

struct SweepRequest {
    WindowInputs inputs;
    app::ModelInputs model;  // jitter, datasheet-limit shape; trials and seed with --mc
    std::string over = "freq";
    double from = 0, to = 0;
    std::size_t points = app::default_points;
    bool log = false;
    std::string match_form = "vswr";  // for a swept match: vswr or rl
    std::string enr_table;            // file names, empty when not given
    std::string dut_s2p;
    bool monte_carlo = false;
    bool fixed_if = false, fixed_lo = false;
    std::string format = "table";  // table, csv or json
    std::string plot;              // FILE.png or FILE.svg, empty for none
};

// The options `sweep` adds to the window's inputs (those are registered with
// the other commands' helpers). ADVISE leaves out what advice does not use;
// with a set-up file (FROM_FILE) the range may come from the file.
void add_sweep_options(CLI::App& sub, SweepRequest& request, bool advise, bool from_file);

// The typed request of R (over its --setup file, if any). Throws
// SweepError with the one-line reason for inputs that cannot be used and
// datafiles::FileError for a bad data file.
app::SweepRequest typed_sweep_request(const SweepRequest& r);

// The planning library's sweep for REQUEST on a copy of STARTED (a window
// after Form_Load); notes on rounded or bounded values go to ERR. Throws
// SweepError for inputs the window refuses (or STRICT would) and
// datafiles::FileError for a bad ENR table or S-parameter file.
planning::Sweep make_sweep(const app::SweepRequest& request, bool strict, std::ostream& err);

// The result of WORK (a sweep or the advice), or nothing when a data file or
// the window refused the request: its one-line reason is then on ERR.
template <class Work>
auto unless_refused(std::ostream& err, Work&& work) -> std::optional<decltype(work())> {
    try {
        return work();
    } catch (const datafiles::FileError& e) {
        err << "orlavex-cli: " << e.what() << '\n';
    } catch (const planning::SweepError& e) {
        err << "orlavex-cli: " << e.what() << '\n';
    }
    return std::nullopt;
}

}  // namespace orlavex::cli
