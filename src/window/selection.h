// Choosing the analyzer and the noise source from their pop-up menus, and
// the preamplifier controls of the analyzer frame.
#pragma once

#include "engine/calculator.h"

namespace orlavex {

void clear_SA_checks(Calculator& calc);
void clear_NS_checks(Calculator& calc);

// A model item of an analyzer family's array (mnuAravel ... mnuQuarro).
template <Ctl FamilyItems>
void analyzer_model_Click(Calculator& calc, int index);

void mnuSAuser_Click(Calculator& calc);
void SAdropdown_MouseUp(Calculator& calc);
void lblSAsel_MouseUp(Calculator& calc);

void chkIntPA_Click(Calculator& calc);
void chkIntPA_MouseUp(Calculator& calc);
void mnuIntPA_Click(Calculator& calc, int index);
void chkExtPA_Click(Calculator& calc);
void mnuSA_Unc_Click(Calculator& calc);

void mnuNSuser_Click(Calculator& calc);
void mnuNS_Mercury_Click(Calculator& calc, int index);
void mnuNS_Noisecom_Click(Calculator& calc, int index);
void mnuNS_Quinstar_Click(Calculator& calc, int index);
void NSdropdown_MouseUp(Calculator& calc);
void lblNSsel_MouseUp(Calculator& calc);

}  // namespace orlavex
