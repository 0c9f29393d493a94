// Measured levels evaluated with the noise source's ENR table, as a sweep
// plans with it: the ENR and its uncertainty at the frequency the levels
// were measured at, and a converting DUT's calibration ENR at its output
// frequency.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/classic_apply.h"
#include "app/inputs/setup.h"
#include "datafiles/enr_table.h"
#include "measure/setup.h"

#include <string>
#include <vector>

namespace orlavex::app {

// Why an ENR (ENR given) or ENR uncertainty (ENR_UNC given) typed beside
// TABLE, which gives them at each frequency, is refused; empty when neither
// is (an uncertainty is taken where the table has none).
std::string typed_enr_refusal(bool enr, bool enr_unc, const datafiles::EnrTable& table,
                              Naming naming);

// TAKEN (SETUP resolved) with TABLE's ENR and uncertainty at the input
// frequency the calculator took (and the source's match where the table has
// reflection data, a catalogue noise source then "User"), entered as their
// fields hold them, and figured again. Why the table's values cannot be used there, or empty; a
// value held from the table's nearest record adds a note to NOTES.
std::string take_enr_table(const datafiles::EnrTable& table, Resolved& taken,
                           std::vector<std::string>& notes);

// A converting DUT's calibration ENR in MODEL from TABLE at the output
// frequency F_OUT_GHZ; a note in NOTES when held from the nearest record.
void calibrate_at_output(const datafiles::EnrTable& table, double f_out_ghz,
                         measure::MeasurementSetup& model, std::vector<std::string>& notes);

}  // namespace orlavex::app
