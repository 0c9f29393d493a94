// The set-up an exported chart (PNG, SVG) carries: the set-up file's text,
// data files embedded, so that the image alone reopens as the bench that
// drew it.
#pragma once

#include "app/inputs/sweep_request.h"

#include <string>

namespace orlavex::app {

// REQUEST as a set-up file's text; empty where a data file it names can no
// longer be read (the image then keeps the rest of what it says).
std::string export_setup_text(const SweepRequest& request);

}  // namespace orlavex::app
