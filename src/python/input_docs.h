// The inputs section of the module's docstrings, written from the command
// line's option table so the two cannot drift apart.
#pragma once

#include "app/commands.h"
#include "python/keyword_inputs.h"

#include <string>

namespace orlavex::python {

// One line per keyword a function that takes COMMAND's inputs takes: name, what it is, its unit
// and the window's start-up value.
std::string input_docs(const app::Command& command);

}  // namespace orlavex::python
