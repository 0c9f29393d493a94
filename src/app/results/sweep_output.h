// A sweep's result as CSV (one header row, one row per point) and JSON.
#pragma once

#include "app/json.h"
#include "app/results/sweep_columns.h"
#include "planning/sweep.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace orlavex::app {

// RFC 4180: comma-separated, a field with a comma, quote or line break in
// double quotes, a point for decimals, so that it opens as one tidy table.
void write_sweep_csv(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);
// The same CSV as FILE's whole new content, written whole or not at all (a
// failed write leaves the previous file as it was): empty when done, else
// why not ("No space left on device", "it is a FIFO, not a regular file").
std::string write_sweep_csv_file(const std::filesystem::path& file,
                                 const planning::SweepResult& result, bool monte_carlo);

// {"over", "column", "points": [{column: value, ...}], "band_edges": [...]}
Json sweep_json(const planning::SweepResult& result, bool monte_carlo);
// The same text as sweep_json(...).dump(2) and a newline, written a row at a
// time.
void write_sweep_json(std::ostream& out, const planning::SweepResult& result, bool monte_carlo);

// FIELD as one CSV field, quoted when it must be.
std::string csv_field(const std::string& field);

// One cell of COLUMN at POINT as CSV and the table write it.
std::string cell_text(const SweepColumn& column, const planning::SweepPoint& point);

}  // namespace orlavex::app
