#include "app/inputs/inputs.h"

#include "app/inputs/model_inputs.h"
#include "app/inputs/setup.h"
#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"

#include <algorithm>
#include <cctype>

namespace orlavex::app {

const FieldInput* find_field_input(std::string_view name_or_flag) {
    for (const FieldInput& row : field_inputs()) {
        if (row.name == name_or_flag || row.flag == name_or_flag) return &row;
    }
    return nullptr;
}

std::string_view choice_name(const ModelInput& row, const measure::ModelOptions& m) {
    return row.choice->names[row.choice->get(m)];
}

bool set_choice(const ModelInput& row, measure::ModelOptions& m, std::string_view name) {
    const auto names = row.choice->names;
    const auto found = std::ranges::find(names, name);
    if (found == names.end()) return false;
    row.choice->set(m, static_cast<std::size_t>(found - names.begin()));
    return true;
}

std::string choice_list(const ModelInput& row, std::string_view separator) {
    std::string list;
    for (std::string_view name : row.choice->names)
        list += (list.empty() ? "" : std::string(separator)) + std::string(name);
    return list;
}

bool at_default(const ModelInput& row, const measure::ModelOptions& m) {
    if (row.kind == ModelValue::choice) return row.choice->get(m) == 0;
    if (row.kind == ModelValue::optional_number) return !(m.*row.optional).has_value();
    if (row.kind == ModelValue::reflection) return !(m.*row.reflection).has_value();
    return row.kind != ModelValue::not_negative || m.*row.number == 0;
}

std::string whole_number_rule(ModelValue kind) {
    if (kind == ModelValue::trials) {
        return "must be a whole number from " + std::to_string(fewest_trials) + " to " +
               std::to_string(most_trials);
    }
    return "must be a whole number from 0 to 2^64 - 1";
}

bool Setup::any_ext_preamp_field() const {
    return std::ranges::any_of(field_inputs(), [&](const FieldInput& row) {
        return row.name.starts_with("ext_preamp") && (*this)[row].has_value();
    });
}

}  // namespace orlavex::app
