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

std::string_view shape_name(measure::SpecShape shape) {
    return shape == measure::SpecShape::rectangular ? "rect" : "normal";
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
