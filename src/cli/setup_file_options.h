// --setup FILE and --save-setup FILE, shared by every command that takes a
// set-up: the file's set-up with the options given beside it laid over it,
// and the set-up a command ran with written out.
#pragma once

#include "app/inputs/sweep_request.h"
#include "app/setup_file/setup_overlay.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace orlavex::cli {

struct SetupFileOptions {
    std::string setup;       // the set-up file to start from; empty for none
    std::string save_setup;  // where to write the set-up run; empty for none
    app::GivenInputs given;  // the options given on the command line, by keyword
};

void add_setup_file_options(CLI::App& sub, SetupFileOptions& files);

// After parsing: which of SUB's options were given ("--dut-nf" as "dut_nf").
void note_given_options(const CLI::App& sub, SetupFileOptions& files);

// Does ARGS name a set-up file? The options it can give are then not required.
bool names_setup_file(const std::vector<std::string>& args);

// Why the --save-setup file cannot be written (no such folder, a folder,
// no permission), checked before the command runs; empty when it can.
std::string save_setup_refusal(const SetupFileOptions& files);

// REQUEST written to the --save-setup file, its values as the window took
// them: empty, or the one-line reason it could not be written.
std::string save_setup(const SetupFileOptions& files, const app::SweepRequest& request);

}  // namespace orlavex::cli
