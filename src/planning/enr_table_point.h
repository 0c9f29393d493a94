// A noise source's ENR table at one point, as sweeps and evaluations take
// it: its ENR and ENR uncertainty (and, where asked, the source's match from
// its reflection data) entered into the window's fields at the DUT's input
// frequency, and the calibration ENR at the output frequency of a converting
// DUT.
#pragma once

#include "catalogue/catalogue.h"
#include "core/classic_session.h"
#include "core/classic_setup.h"
#include "datafiles/enr_table.h"
#include "measure/setup.h"
#include "planning/field_entries.h"

#include <string>
#include <vector>

namespace orlavex::planning {

// The source an ENR table with reflection data is entered for: its match
// comes from the table, which the calculator takes only from a "User" noise
// source, in VSWR. SOURCE_MATCH: the table gives the match; REPLACED: the
// catalogue model "User" stands for (its frequency limit still bounds the
// measurement), or null.
struct TableSource {
    bool source_match = false;
    const catalogue::NoiseSourceModel* replaced = nullptr;
};
TableSource take_table_source(const datafiles::EnrTable& table, core::ClassicSession& session);

// Enters ENR (the table looked up at the point's input frequency) into
// SETUP as the fields hold it: the ENR, its uncertainty where the table has
// the column, and with SOURCE_MATCH the source's VSWR from the larger of
// its on and off reflections. Why the point cannot use them, or empty.
std::string put_enr_values(const datafiles::EnrPoint& enr, bool source_match,
                           core::ClassicSetup& setup, std::vector<Entry>& entries);

// A converting DUT is calibrated at its output frequency F_OUT_GHZ: TABLE's
// ENR there, as the ENR field would hold it, becomes SETUP's calibration
// ENR. The records that gave it (held from the nearest one outside the
// table).
datafiles::AppliedRecords put_calibration_enr(const datafiles::EnrTable& table, double f_out_ghz,
                                              measure::MeasurementSetup& setup);

}  // namespace orlavex::planning
