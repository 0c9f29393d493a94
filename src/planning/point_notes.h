// The note of a sweep point: which catalogue bands and which table records
// gave its values.
#pragma once

#include "datafiles/lookup.h"
#include "engine/calculator.h"

#include <span>
#include <string>

namespace orlavex::planning {

struct SweepPoint;

// "below 0.05 GHz", "8 to 13.6 GHz", "from 49 GHz" for the band of EDGES
// (lower edges of bands 2, 3, ...) that holds F_GHZ; "all frequencies" when
// there is one band.
std::string band_span(std::span<const double> edges, double f_ghz);

// CALC is the window after the point's recalculation. ENR and DUT are the
// table records that applied (nullptr without a table). REPLACED_SOURCE is
// the catalogue noise source a table's reflection data stand in for.
std::string point_note(const Calculator& calc, const SweepPoint& point,
                       const datafiles::AppliedRecords* enr, const datafiles::AppliedRecords* dut,
                       const std::string& replaced_source);

}  // namespace orlavex::planning
