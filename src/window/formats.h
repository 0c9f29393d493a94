// Switching a match entry between VSWR and return loss, and the analyzer
// noise between noise figure and noise level. The value in the field is
// converted so that it describes the same port; nothing is recalculated.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

void optDUTIn_RL_Click(Calculator& calc);
void optDUTIn_VSWR_Click(Calculator& calc);
void optDUTOut_RL_Click(Calculator& calc);
void optDUTOut_VSWR_Click(Calculator& calc);
void optSA_InMatch_RL_Click(Calculator& calc);
void optSA_InMatch_VSWR_Click(Calculator& calc);
void optNS_Match_RL_Click(Calculator& calc);
void optNS_Match_VSWR_Click(Calculator& calc);
void optSA_Noise_DANL_Click(Calculator& calc);
void optSA_Noise_NF_Click(Calculator& calc);

}  // namespace orlavex
