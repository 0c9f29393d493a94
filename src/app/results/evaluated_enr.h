// Measured levels evaluated with the noise source's ENR table and the DUT's
// S-parameters, as a sweep plans with them: the ENR and its uncertainty and
// the DUT's matches at the frequency the levels were measured at, and a
// converting DUT's calibration ENR at its output frequency.
#pragma once

#include "app/inputs/apply_options.h"
#include "app/inputs/classic_apply.h"
#include "app/inputs/setup.h"
#include "datafiles/enr_table.h"
#include "datafiles/touchstone.h"
#include "measure/setup.h"

#include <string>
#include <vector>

namespace orlavex::app {

// Why an ENR (ENR given) or ENR uncertainty (ENR_UNC given) typed beside
// TABLE, which gives them at each frequency, is refused; empty when neither
// is (an uncertainty is taken where the table has none).
std::string typed_enr_refusal(bool enr, bool enr_unc, const datafiles::EnrTable& table,
                              Naming naming);

// TAKEN (SETUP resolved) with the files' values at the input frequency the
// calculator took, entered as their fields hold them, and figured again:
// ENR_TABLE's ENR and uncertainty (and the source's match where the table
// has reflection data, a catalogue noise source then "User"), and the VSWRs
// of DUT_SPARAMETERS' S11 and S22 (the levels measure its gain). Either may
// be null. Why the files' values cannot be used there, or empty; a value
// held from a file's nearest record adds a note to NOTES.
std::string take_tables(const datafiles::EnrTable* enr_table,
                        const datafiles::Touchstone* dut_sparameters, Resolved& taken,
                        std::vector<std::string>& notes);

// A converting DUT's calibration ENR in MODEL from TABLE at the output
// frequency F_OUT_GHZ; a note in NOTES when held from the nearest record.
void calibrate_at_output(const datafiles::EnrTable& table, double f_out_ghz,
                         measure::MeasurementSetup& model, std::vector<std::string>& notes);

}  // namespace orlavex::app
