// The columns of a sweep's output, shared by its CSV, JSON and table: the
// swept value first (named with its unit), then the inputs and figures the
// window used and showed at the point, the uncertainties and the note.
#pragma once

#include "planning/sweep.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orlavex::app {

// One cell: a number (empty where the point has none), or a text.
struct Cell {
    std::optional<double> number;
    std::string text;
    bool is_text = false;
};

struct SweepColumn {
    std::string name;  // "freq_ghz", "U_db", ...
    int places;        // decimals for a number in CSV and the table; -1: nine digits
    std::function<Cell(const planning::SweepPoint&)> cell;
};

// The columns in their order; a column that is the swept value appears
// once (first); mc_lo_db and mc_hi_db only with MONTE_CARLO.
std::vector<SweepColumn> sweep_columns(const planning::SweepResult& result, bool monte_carlo);

// A number as CSV and the table write it: PLACES decimals (or nine
// significant digits for -1), a point for decimals, empty when missing.
std::string number_text(const std::optional<double>& x, int places);

}  // namespace orlavex::app
