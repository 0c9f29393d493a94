#include "planning/field_entries.h"

#include "core/field_entry.h"
#include "core/number_text.h"
#include "datafiles/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orlavex::planning {

bool put(const Binding& where, double value, core::ClassicSetup& setup, std::vector<Entry>& entries,
         double* entered) {
    const std::optional<double> held = core::held_as_typed(where.field, value);
    if (!held) return false;
    const double taken = *held;
    setup.values.*where.value = taken;
    entries.push_back({where, taken});
    if (entered != nullptr) *entered = taken;
    return true;
}

std::string put_table_value(const Binding& where, double value,
                            const datafiles::AppliedRecords& records, core::ClassicSetup& setup,
                            std::vector<Entry>& entries) {
    if (put(where, value, setup, entries, nullptr)) return {};
    return std::string(where.what) + ", " + datafiles::number_text(value) +
           std::string(where.unit) + " (" + records.note() +
           "), does not fit the window's field of " +
           std::to_string(core::field_capacity(where.field)) + " characters";
}

std::string entry_not_taken(const core::ClassicValues& used, const std::vector<Entry>& entries) {
    for (const Entry& e : entries) {
        const double taken = used.*(e.where.value);
        const double tolerance = 1e-12 * std::max(1.0, std::fabs(e.value));
        if (std::fabs(taken - e.value) > tolerance) {
            return std::string(e.where.what) + " " + general_text(e.value) +
                   std::string(e.where.unit) + " is outside what the window takes (it would use " +
                   general_text(taken) + std::string(e.where.unit) + ")";
        }
    }
    return {};
}

}  // namespace orlavex::planning
