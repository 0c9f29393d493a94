// The command line's names for the window's entry fields: the options of
// the application's table of inputs.
#pragma once

#include "app/inputs/inputs.h"

#include <string_view>

namespace orlavex::cli {

using FieldOption = app::FieldInput;
using app::FixedBy;
using app::Scope;

// By option name ("--dut-nf"); nullptr when there is none.
inline const FieldOption* find_field_option(std::string_view name) {
    return name.starts_with("--") ? app::find_field_input(name) : nullptr;
}

}  // namespace orlavex::cli
