// Choosing the analyzer and the noise source from their pop-up menus, and
// the preamplifier controls of the analyzer frame.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

// A model item of an analyzer family's menu (analyzer_family_menus).
void analyzer_model_Click(Calculator& calc, Ctl chosen);

void mnuSAuser_Click(Calculator& calc);

void chkIntPA_Click(Calculator& calc);
void chkIntPA_MouseUp(Calculator& calc);
void mnuIntPA_Click(Calculator& calc, int index);
void chkExtPA_Click(Calculator& calc);
void mnuSA_Unc_Click(Calculator& calc);

void mnuNSuser_Click(Calculator& calc);
// A model item of a noise source maker's menu (noise_source_maker_menus).
void noise_source_model_Click(Calculator& calc, Ctl chosen);

}  // namespace orlavex
