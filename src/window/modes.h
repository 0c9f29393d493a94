// The Option and File menus: second-stage correction, the manual
// measurement frames and entry, the resolution, Preset and Reset.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

void mnuShowManMeas_Click(Calculator& calc);
void chkUseManMeas_Click(Calculator& calc);
void mnuPreset_Click(Calculator& calc);
void mnuReset_Click(Calculator& calc);

}  // namespace orlavex
