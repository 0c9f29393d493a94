#include "app/results/budget_units.h"

#include <algorithm>

namespace orlavex::app {

std::string_view budget_unit(std::string_view source) {
    const auto* row = std::ranges::find(budget_source_units, source, &BudgetSourceUnit::source);
    return row == budget_source_units.end() ? std::string_view() : row->unit;
}

}  // namespace orlavex::app
