// The typed set-up: every input a user can give, as numbers, names and
// choices, independent of any front-end. resolve() (app/inputs/classic_apply.h)
// takes it as the calculator does.
#pragma once

#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"
#include "planning/bench_setup.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orlavex::app {

struct Setup {
    // One value per row of field_inputs(), in its order; none keeps the
    // window's start-up value.
    std::array<std::optional<double>, field_input_count> fields{};
    std::optional<std::string> analyzer;      // catalogue name or "User"
    std::optional<std::string> noise_source;  // catalogue name or "User"
    bool int_preamp = false;
    std::optional<int> int_preamp_option;  // 0 or 1, for models with two preamps
    bool ext_preamp = false;
    bool freq_conv = false;
    bool second_stage = true;
    bool manual = false;  // evaluate the four measured levels
    ModelInputs model;
    planning::BenchInput bench;  // losses around the DUT, measurement source

    std::optional<double>& operator[](const FieldInput& row) { return fields[index_of(row)]; }
    const std::optional<double>& operator[](const FieldInput& row) const {
        return fields[index_of(row)];
    }
    // By Python keyword or option; the row must exist.
    std::optional<double>& field(std::string_view name) { return (*this)[*find_field_input(name)]; }
    const std::optional<double>& field(std::string_view name) const {
        return (*this)[*find_field_input(name)];
    }
    bool any_ext_preamp_field() const;
};

// The name the set-up leaves selected ("User" unless a model was chosen),
// as the catalogue writes it.
std::string analyzer_name(const Setup& setup);
std::string noise_source_name(const Setup& setup);

}  // namespace orlavex::app
