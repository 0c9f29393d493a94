// The set-up a sweep ran with, as one line of JSON: the window's inputs as
// `point --json` echoes them, the swept range, the data files and the Monte
// Carlo. Exported charts carry it, so that a picture says what produced it.
#pragma once

#include "planning/sweep.h"

#include <string>

namespace orlavex::app {

std::string sweep_setup_echo(const planning::Sweep& sweep);

}  // namespace orlavex::app
