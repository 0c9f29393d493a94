#include "option_examples.h"

#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orlavex::cli::test {

namespace {

const std::string examples = ORLAVEX_EXAMPLES_DIR;

struct ChoiceExample {
    std::string_view keyword;
    std::string_view flag;
    std::string_view value;  // empty for a flag alone
};

constexpr std::array choice_examples{
    ChoiceExample{"analyzer", "--analyzer", "Aravel-3"},
    ChoiceExample{"noise_source", "--noise-source", "NS346B"},
    ChoiceExample{"int_preamp", "--int-preamp", ""},
    ChoiceExample{"ext_preamp", "--ext-preamp", ""},
    ChoiceExample{"freq_conv", "--freq-conv", ""},
    ChoiceExample{"no_second_stage", "--no-second-stage", ""},
};

// A value other than the default for every row of the model's inputs, so
// that a new row is tried without adding it here.
std::string model_value(const app::ModelInput& row) {
    switch (row.kind) {
        case app::ModelValue::not_negative:
            return "0.5";
        case app::ModelValue::optional_number:
            return "-20";
        case app::ModelValue::trials:
            return "200";
        case app::ModelValue::seed:
            return "7";
        case app::ModelValue::choice:
            return std::string(row.choice->names.back());
        case app::ModelValue::reflection:
            return "0.5@-60";
    }
    return {};
}

const app::ModelInput* find_model_input(std::string_view keyword) {
    const auto* row = std::ranges::find(app::model_inputs, keyword, &app::ModelInput::name);
    return row == app::model_inputs.end() ? nullptr : row;
}

std::string field_value(const app::FieldInput& row) {
    if (!std::isnan(row.start)) return std::to_string(row.start);
    return row.unit == "dBm/Hz" ? "-150" : "20";  // a noise level, a return loss
}

std::string bench_value(const app::BenchInputRow& row) {
    if (row.type_name == "NAME") return "NS346B";
    if (row.name == "meas_enr_table") return examples + "/noise_source.enr";
    if (row.type_name == "FILE") return examples + "/input_cable.s2p";
    if (row.type_name == "K") return "250";
    return row.type_name == "X" ? "1.2" : "1";
}

}  // namespace

std::vector<std::string> example_args(std::string_view keyword) {
    if (const app::FieldInput* row = app::find_field_input(keyword)) {
        std::vector<std::string> args{std::string(row->flag), field_value(*row)};
        if (keyword == "freq2") args.emplace_back("--freq-conv");
        return args;
    }
    if (const app::BenchInputRow* row = app::find_bench_input(keyword))
        return {std::string(row->flag), bench_value(*row)};
    if (const app::ModelInput* row = find_model_input(keyword)) {
        std::vector<std::string> args{std::string(row->flag), model_value(*row)};
        // An image response is a converting DUT's.
        if (keyword == "sideband" || keyword == "image_ratio") args.emplace_back("--freq-conv");
        return args;
    }
    for (const ChoiceExample& choice : choice_examples) {
        if (choice.keyword != keyword) continue;
        // A preamplifier is the analyzer's.
        if (keyword == "int_preamp") return {"--analyzer", "Aravel-3", "--int-preamp"};
        if (choice.value.empty()) return {std::string(choice.flag)};
        return {std::string(choice.flag), std::string(choice.value)};
    }
    return {};
}

std::string setup_key(std::string_view keyword) {
    if (const app::FieldInput* row = app::find_field_input(keyword))
        return std::string(row->column);
    if (const app::BenchInputRow* row = app::find_bench_input(keyword))
        return std::string(row->key);
    if (const app::ModelInput* row = find_model_input(keyword)) return std::string(row->key);
    return std::string(keyword);
}

std::vector<std::string> point_keywords() {
    std::vector<std::string> keywords;
    for (const app::FieldInput& row : app::field_inputs()) {
        if (app::takes(app::Scope::prediction, row)) keywords.emplace_back(row.name);
    }
    for (const app::BenchInputRow& row : app::bench_input_rows)
        keywords.emplace_back(row.name);
    for (const app::ModelInput& row : app::model_inputs)
        keywords.emplace_back(row.name);
    for (const ChoiceExample& choice : choice_examples)
        keywords.emplace_back(choice.keyword);
    return keywords;
}

std::vector<std::pair<std::string, std::string>> exclusive_pairs() {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const app::FieldInput& a : app::field_inputs()) {
        for (const app::FieldInput& b : app::field_inputs()) {
            if (app::same_field_other_form(a, b)) pairs.emplace_back(a.name, b.name);
        }
    }
    for (const app::BenchInputRow& row : app::bench_input_rows) {
        if (row.excludes.empty()) continue;
        pairs.emplace_back(row.name, row.excludes);
        pairs.emplace_back(row.excludes, row.name);
    }
    constexpr std::array sources{"meas_noise_source", "meas_enr", "meas_enr_table"};
    for (const char* a : sources) {
        for (const char* b : sources) {
            if (std::string_view(a) != b) pairs.emplace_back(a, b);
        }
    }
    return pairs;
}

}  // namespace orlavex::cli::test
