// A sweep's result as CSV (one header row, one row per point), JSON or a
// readable table.
#pragma once

#include "cli/json_numbers.h"
#include "planning/sweep.h"

#include <ostream>

namespace orlavex::cli {

// RFC 4180: comma-separated, a field with a comma, quote or line break in
// double quotes, a point for decimals, so that it opens as one tidy table.
void write_sweep_csv(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);

// {"over", "column", "points": [{column: value, ...}], "band_edges": [...]}
Json sweep_json(const planning::SweepResult& result, bool monte_carlo);

void print_sweep_table(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);

// FIELD as one CSV field, quoted when it must be.
std::string csv_field(const std::string& field);

}  // namespace orlavex::cli
