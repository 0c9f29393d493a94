// A window model that has just started (Form_Load has run), as every
// orlavex-cli command begins.
#pragma once

#include "engine/calculator.h"

namespace orlavex::python {

Calculator started_window();

}  // namespace orlavex::python
