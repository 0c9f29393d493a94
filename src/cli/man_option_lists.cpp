#include "cli/man_option_lists.h"

#include "app/commands.h"
#include "app/inputs/bench_inputs.h"
#include "app/inputs/inputs.h"
#include "app/inputs/model_inputs.h"
#include "cli/man_roff.h"
#include "core/classic_setup.h"
#include "core/number_text.h"
#include "form/field_ranges.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace orlavex::cli {

namespace {

// One entry: its tag line and the parts of its text, joined by "; ".
std::string entry(const std::string& tag, const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!part.empty()) text += (text.empty() ? "" : "; ") + part;
    }
    return ".TP\n" + tag + "\n" + roff_text(text) + "\n";
}

std::string default_part(std::string_view value) {
    return value.empty() ? std::string() : "default: " + std::string(value);
}

// "point, sweep and report"
std::string command_names(const std::vector<std::string_view>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + std::string(names[i]);
    return text;
}

// "point, sweep and report only" where some of the commands that take rows
// of this kind do not take this one; empty where all do.
template <typename TakesAny, typename TakesRow>
std::string only_for(TakesAny takes_any, TakesRow takes_row) {
    std::vector<std::string_view> taking;
    bool all = true;
    for (const app::Command& command : app::commands) {
        if (!takes_any(command)) continue;
        if (takes_row(command)) {
            taking.push_back(command.name);
        } else {
            all = false;
        }
    }
    return all ? std::string() : command_names(taking) + " only";
}

// The upper end of a field's range where the state sets it.
std::string upper_end_text(const FieldRange& range) {
    const std::string user = general_text(core::user_frequency_limit_ghz);
    switch (range.upper) {
        case UpperEnd::fixed:
            return general_text(range.max);
        case UpperEnd::frequency_limit:
            return "the lower of the analyzer and noise source models' upper frequencies (the "
                   "noise source's alone with --freq-conv; " +
                   user + " for User)";
        case UpperEnd::analyzer_frequency_limit:
            return "the analyzer model's upper frequency (" + user + " for User)";
        case UpperEnd::return_loss_limit:
            return general_text(core::return_loss_limit_db);
    }
    return {};
}

const FieldRange& field_range_of(const app::FieldInput& row) {
    const std::span<const FieldRange> forms = ranges_of(row.field);
    const auto it = std::ranges::find(forms, row.format, &FieldRange::option);
    return it == forms.end() ? forms.front() : *it;
}

std::string field_entry(const app::FieldInput& row) {
    const FieldRange& range = field_range_of(row);
    std::string other;
    for (const app::FieldInput& r : app::field_inputs()) {
        if (app::same_field_other_form(row, r)) other = "not with " + std::string(r.flag);
    }
    const std::string fixed = row.fixed_by == app::FixedBy::analyzer ? "an analyzer model fixes it"
                              : row.fixed_by == app::FixedBy::noise_source
                                  ? "a noise source model fixes it"
                                  : "";
    const std::string start = std::isnan(row.start) ? "" : general_text(row.start);
    const std::string only =
        only_for([](const app::Command& c) { return c.scope != app::Scope::setup; },
                 [&](const app::Command& c) { return app::takes(c.scope, row); });
    return entry(roff_tag(row.flag, row.unit.empty() ? "X" : row.unit),
                 {std::string(row.help), general_text(range.min) + " to " + upper_end_text(range),
                  default_part(start), other, fixed, only});
}

std::string field_list(bool levels) {
    std::string roff;
    for (const app::FieldInput& row : app::field_inputs()) {
        if ((row.scope == app::Scope::levels) == levels) roff += field_entry(row);
    }
    return roff;
}

std::string window_fields() {
    return field_list(false);
}

std::string measured_levels() {
    return field_list(true);
}

std::string bench_range_text(const app::BenchInputRow& row) {
    if (row.number == nullptr) return {};
    const app::BenchRange& r = row.range;
    const std::string unit = r.unit.empty() ? "" : " " + std::string(r.unit);
    if (std::isinf(r.highest)) return general_text(r.lowest) + unit + " or more";
    return general_text(r.lowest) + " to " + general_text(r.highest) + unit;
}

std::string bench_entry(const app::BenchInputRow& row) {
    std::string excluded;
    for (const app::BenchInputRow& r : app::bench_input_rows) {
        const app::BenchInputRow* other = r.name == row.excludes   ? &r
                                          : r.excludes == row.name ? &r
                                                                   : nullptr;
        if (other != nullptr) excluded = "not with " + std::string(other->flag);
    }
    const std::string_view argument = row.range.unit.empty() ? row.type_name : row.range.unit;
    return entry(roff_tag(row.flag, argument), {std::string(row.help), bench_range_text(row),
                                                default_part(row.default_text), excluded});
}

std::string bench() {
    std::string roff;
    for (const app::BenchInputRow& row : app::bench_input_rows)
        roff += bench_entry(row);
    return roff;
}

std::string model_range_text(const app::ModelInput& row) {
    switch (row.kind) {
        case app::ModelValue::not_negative:
            return "0 or more";
        case app::ModelValue::trials:
            return std::to_string(app::fewest_trials) + " to " + std::to_string(app::most_trials);
        case app::ModelValue::seed:
            return "0 to 2^64 - 1";
        default:
            return {};
    }
}

std::string model_default(const app::ModelInput& row) {
    const app::ModelInputs defaults;
    switch (row.kind) {
        case app::ModelValue::not_negative:
            return general_text(defaults.*row.number);
        case app::ModelValue::trials:
            return std::to_string(app::point_trials) + ", " + std::to_string(app::sweep_trials) +
                   " at each point of a sweep";
        case app::ModelValue::seed:
            return std::to_string(defaults.seed);
        case app::ModelValue::choice:
            return std::string(row.choice->names.front());
        default:
            return {};
    }
}

std::string model_entry(const app::ModelInput& row) {
    const std::string tag = row.kind == app::ModelValue::choice
                                ? roff_choice_tag(row.flag, app::choice_list(row))
                                : roff_tag(row.flag, row.unit.empty() ? row.type_name : row.unit);
    const std::string only =
        only_for([](const app::Command& c) { return c.model != app::ModelTaken::none; },
                 [&](const app::Command& c) { return app::takes(c, row); });
    return entry(tag, {std::string(row.help), model_range_text(row),
                       default_part(model_default(row)), only});
}

std::string model() {
    std::string roff;
    for (const app::ModelInput& row : app::model_inputs)
        roff += model_entry(row);
    return roff;
}

std::string typed_reflections() {
    std::string roff;
    for (const app::ModelInput& row : app::typed_reflection_inputs)
        roff += model_entry(row);
    return roff;
}

constexpr std::array lists{
    ManOptionList{"window-fields", window_fields},
    ManOptionList{"measured-levels", measured_levels},
    ManOptionList{"bench", bench},
    ManOptionList{"model", model},
    ManOptionList{"typed-reflections", typed_reflections},
};

constexpr std::string_view mark_start = "@OPTIONS ";

}  // namespace

std::span<const ManOptionList> man_option_lists() {
    return lists;
}

std::string fill_man_page(std::string_view page_template) {
    std::string page;
    std::vector<std::string_view> placed;
    for (std::size_t start = 0; start < page_template.size();) {
        const std::size_t end = std::min(page_template.find('\n', start), page_template.size());
        const std::string_view line = page_template.substr(start, end - start);
        start = end + 1;
        if (!line.starts_with(mark_start) || !line.ends_with('@')) {
            page += std::string(line) + "\n";
            continue;
        }
        const std::string_view name =
            line.substr(mark_start.size(), line.size() - mark_start.size() - 1);
        const auto* list = std::ranges::find(lists, name, &ManOptionList::name);
        if (list == lists.end()) throw std::invalid_argument("no option list " + std::string(name));
        if (std::ranges::find(placed, name) != placed.end())
            throw std::invalid_argument("the option list " + std::string(name) +
                                        " is placed twice");
        placed.push_back(name);
        page += list->roff();
    }
    for (const ManOptionList& list : lists) {
        if (std::ranges::find(placed, list.name) == placed.end())
            throw std::invalid_argument("the template does not place the option list " +
                                        std::string(list.name));
    }
    return page;
}

}  // namespace orlavex::cli
