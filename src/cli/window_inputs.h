// The user's inputs as the command line gives them (texts), and turning
// them into the application's typed set-up.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/bench_inputs.h"
#include "app/inputs/setup.h"
#include "cli/field_options.h"
#include "cli/setup_file_options.h"

#include <optional>
#include <string>
#include <vector>

namespace orlavex::cli {

struct FieldEntry {
    const FieldOption* option;
    std::string text;  // as given
};

struct WindowInputs {
    std::vector<FieldEntry> entries;          // at most one per option
    std::optional<std::string> analyzer;      // catalogue name or "User"
    std::optional<std::string> noise_source;  // catalogue name or "User"
    bool int_preamp = false;
    std::optional<int> int_preamp_option;  // 0 or 1, for models with two preamps
    bool ext_preamp = false;
    bool freq_conv = false;
    bool no_second_stage = false;
    bool manual = false;  // evaluate the four measured levels
    bool strict = false;  // refuse a value the window would round or bound
    app::BenchInputs bench;
    // The noise source's ENR table file (evaluate's --enr-table); empty for
    // none.
    std::string enr_table;
    // The DUT's S-parameters file (evaluate's --dut-s2p); empty for none.
    std::string dut_s2p;
    SetupFileOptions files;

    const FieldEntry* entry(std::string_view option_name) const;
};

// INPUTS as a typed set-up (its model inputs as MODEL gives them). Returns
// the one-line reason when a text is not a number ("--dut-nf: ..."), else
// empty.
std::string to_setup(const WindowInputs& inputs, const app::ModelInputs& model, app::Setup& setup);

// The typed request a command runs: INPUTS and MODEL (and SWEEP's range and
// files, for sweep and advise; INPUTS' ENR table and DUT file where given)
// laid over the
// --setup file where one is given. Empty, or the one-line reason (a bad
// set-up file, a bad number, a refused bench); a missing or bad data file
// throws datafiles::FileError.
std::string typed_request(const WindowInputs& inputs, const app::ModelInputs& model,
                          app::SweepRequest& request);

// What COMMAND ("point", "evaluate") says of the data files REQUEST's set-up
// file gives a sweep (the ENR table, the DUT's S-parameters), which fill
// their fields point by point and which it does not use; empty without them.
std::string unused_sweep_files_note(const app::SweepRequest& request, std::string_view command);

}  // namespace orlavex::cli
