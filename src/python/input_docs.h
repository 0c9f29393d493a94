// The inputs section of the module's docstrings, written from the command
// line's option table so the two cannot drift apart.
#pragma once

#include "python/keyword_inputs.h"

#include <string>

namespace orlavex::python {

// One line per keyword a function of SCOPE (see read_keywords) takes: name, what it is, its unit
// and the window's start-up value.
std::string input_docs(app::Scope scope);

}  // namespace orlavex::python
