// How a typed set-up is taken: strictly or not, how messages name its
// inputs, and what taking it gave.
#pragma once

#include "app/inputs/inputs.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlavex::app {

// How messages name an input: "--dut-nf" on the command line, "dut_nf" in
// Python.
enum class Naming { flag, keyword };

struct ApplyOptions {
    bool strict = false;  // refuse a value the window would round or bound
    Naming naming = Naming::flag;
};

struct Applied {
    std::string refused;             // why the window refused the set-up; empty if it took it
    std::vector<std::string> notes;  // values the window rounded or bounded
};

// The name of ROW in messages.
std::string_view name_of(const FieldInput& row, Naming naming);

}  // namespace orlavex::app
