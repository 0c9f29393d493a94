// The module's keyword arguments read as orlavex-cli reads its options: the
// same names with underscores for hyphens (dut_nf for --dut-nf), the same
// defaults (the window's start-up values) and the same messages for bad
// input, raised as ValueError.
#pragma once

#include "cli/point.h"
#include "cli/window_inputs.h"

#include <pybind11/pybind11.h>

#include <string>

namespace orlavex::python {

// Which options a function takes, as the command line's subcommands do.
enum class Command {
    point,    // the set-up, the DUT and analyzer noise, the model options
    evaluate  // the set-up and the four measured levels
};

struct KeywordInputs {
    cli::WindowInputs window;
    cli::ModelOptions model;
};

// Reads KWARGS for COMMAND. Throws pybind11::value_error with the command
// line's message for an unknown name or a value the option refuses.
KeywordInputs read_keywords(const pybind11::dict& kwargs, Command command);

// The text a value is typed into the window as: a float in plain decimals
// (shortest that reads back the same, never an exponent), anything else as
// str() writes it.
std::string field_text(const pybind11::handle& value);

// The option's name on the command line: "--dut-nf" for "dut_nf".
std::string option_name(std::string_view keyword);

}  // namespace orlavex::python
