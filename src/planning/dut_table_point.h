// The DUT's S-parameters at one point, as sweeps and evaluations take them:
// its gain from S21 and its input and output matches from S11 and S22
// entered into the window's fields, as VSWRs, at the DUT's input frequency.
#pragma once

#include "core/classic_session.h"
#include "core/classic_setup.h"
#include "datafiles/touchstone.h"
#include "planning/field_entries.h"

#include <string>
#include <vector>

namespace orlavex::planning {

// The DUT's match fields switched to VSWR, the form its values are entered
// in: the input's, and the output's for a file with S22 (a .s2p).
void take_dut_forms(const datafiles::Touchstone& file, core::ClassicSession& session);

// Enters DUT (the file looked up at the point's input frequency) into SETUP
// as the fields hold them: with GAIN its gain from S21 where the file gives
// it, the input VSWR from S11 and the output VSWR from S22. Why the point
// cannot use them, or empty.
std::string put_dut_values(const datafiles::DutPoint& dut, bool gain, core::ClassicSetup& setup,
                           std::vector<Entry>& entries);

}  // namespace orlavex::planning
