// The set-up as the window used it, written from the same JSON the command
// line and the Python module give for a point's "inputs", and the sweep.
#include "app/inputs/bench_inputs.h"
#include "app/inputs/model_inputs.h"
#include "app/results/setup_echo.h"
#include "app/results/sweep_columns.h"
#include "core/number_text.h"
#include "engine/measurement_setup.h"
#include "measure/frequency_plan.h"
#include "measure/match.h"
#include "measure/setup.h"
#include "planning/swept_input.h"
#include "report/frequency_drawing.h"
#include "report/report_sections.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <string_view>

namespace orlavex::report {

namespace {

struct UnitSuffix {
    std::string_view suffix;
    std::string_view unit;
};

// Longest suffixes first: "_dbm_hz" before "_hz".
constexpr std::array unit_suffixes{
    UnitSuffix{"_dbm_hz", "dBm/Hz"}, UnitSuffix{"_db", "dB"},    UnitSuffix{"_ghz", "GHz"},
    UnitSuffix{"_hz", "Hz"},         UnitSuffix{"_c", "°C"},     UnitSuffix{"_k", "K"},
    UnitSuffix{"_s", "s"},           UnitSuffix{"vswr", "VSWR"},
};

std::string_view unit_of(std::string_view key) {
    for (const UnitSuffix& u : unit_suffixes)
        if (key.ends_with(u.suffix)) return u.unit;
    return {};
}

// A typed reflection's [magnitude, degrees] as it is typed: "0.5@-60".
bool is_reflection(std::string_view key) {
    return std::ranges::any_of(app::typed_reflection_inputs, [key](const app::ModelInput& row) {
        return row.kind == app::ModelValue::reflection && row.key == key;
    });
}

std::string value_text(const app::Json& value) {
    if (value.is_boolean()) return value.get<bool>() ? "yes" : "no";
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number()) return app::number_text(value.get<double>(), -1);
    return "–";
}

// One row per value; a nested object's keys joined with "/" ("dut_in_match/vswr").
void add_rows(ReportTable& table, const app::Json& object, const std::string& prefix) {
    for (const auto& [key, value] : object.items()) {
        const std::string name = prefix.empty() ? key : prefix + "/" + key;
        if (value.is_object()) {
            add_rows(table, value, name);
        } else if (is_reflection(key) && value.is_array() && value.size() == 2) {
            table.rows.push_back(
                {name, value_text(value[0]) + "@" + value_text(value[1]), std::string()});
        } else if (!value.is_null()) {
            table.rows.push_back({name, value_text(value), std::string(unit_of(key))});
        }
    }
}

ReportTable sweep_table(const planning::Sweep& sweep) {
    ReportTable table{.caption = "The sweep", .header = {"Sweep", "Value", "Unit"}};
    const planning::SweptInputInfo& over = planning::info(sweep.over);
    table.rows.push_back({"over", std::string(over.name), ""});
    table.rows.push_back(
        {"from", app::number_text(sweep.from, -1), std::string(unit_of(over.column))});
    table.rows.push_back({"to", app::number_text(sweep.to, -1), std::string(unit_of(over.column))});
    table.rows.push_back({"points", std::to_string(sweep.points), ""});
    table.rows.push_back(
        {"spacing", sweep.spacing == planning::Spacing::logarithmic ? "logarithmic" : "linear",
         ""});
    table.rows.push_back({"monte_carlo", sweep.monte_carlo.enabled ? "yes" : "no", ""});
    if (sweep.monte_carlo.enabled) {
        table.rows.push_back({"trials", std::to_string(sweep.monte_carlo.trials), ""});
        table.rows.push_back({"seed", std::to_string(sweep.monte_carlo.seed), ""});
    }
    return table;
}

// The bench as the model uses it at the set-up's own frequency (the freq_ghz
// row): a loss from a file and a measurement source's ENR and match change
// with frequency. Files are named without their folder, as in the data
// files' table; the measurement source's match in the form it was given,
// else as the window shows a match it converts, to 0.01.
void add_bench_rows(app::Json& inputs, const planning::Sweep& sweep, const app::UsedSetup& used) {
    // The model's set-up of the values as their fields hold them.
    core::ClassicResult shown = sweep.base.last;
    shown.used = sweep.base.setup;
    measure::MeasurementSetup at = core::model_setup(shown);
    const double f_in = used.values.freq_ghz;
    planning::add_bench(sweep.bench, f_in, used.converting ? used.values.freq2_ghz : f_in, at);
    app::add_bench_json(inputs, sweep.bench, at);
    for (const char* key : {"loss_in_s2p", "loss_out_s2p", "meas_enr_table"}) {
        app::Json& file = inputs[key];
        if (file.is_string())
            file = std::filesystem::path(file.get<std::string>()).filename().string();
    }
    if (!sweep.bench.meas_source) return;
    planning::BenchInput source;
    source.meas_source = sweep.bench.meas_source;
    const app::BenchInputs given = app::bench_inputs_of(source);
    if (given.meas_source_rl) {
        inputs["meas_source_match"] = {{"rl_db", *given.meas_source_rl}};
    } else {
        const double vswr = measure::vswr_from_reflection(at.meas_source.gamma);
        inputs["meas_source_match"] = {
            {"vswr", given.meas_source_vswr.value_or(round_to(vswr, 2))}};
    }
}

}  // namespace

ReportSection setup_section(const PlanReportInput& input) {
    const planning::Sweep& sweep = input.sweep;
    const app::UsedSetup used = app::used_setup(sweep.base.last, input.setup);
    app::Json inputs = app::setup_json(used);
    app::add_model_json(inputs, sweep.model);
    const core::ClassicValues& values = sweep.base.last.used.values;
    std::optional<ReportDrawing> drawing;
    if (sweep.base.last.used.choices.freq_conv) {
        const measure::FrequencyPlan plan = measure::frequency_plan(
            values.freq_ghz * 1e9, values.freq2_ghz * 1e9, sweep.model.lo_side);
        if (plan.valid()) {
            inputs["lo_ghz"] = plan.lo_hz / 1e9;
            inputs["image_ghz"] = plan.image_hz / 1e9;
            // Drawn for every converting DUT, as lo_ghz and image_ghz are
            // listed: where the image falls says whether a filter can take
            // it out, with an image response in the model or without.
            drawing = frequency_plan_drawing(
                values.freq_ghz * 1e9, values.freq2_ghz * 1e9, plan,
                std::string("Frequency plan at freq_ghz (lo_side ") +
                    (sweep.model.lo_side == measure::LoSide::above ? "above" : "below") + ")");
        }
    }
    if (sweep.bench.any()) add_bench_rows(inputs, sweep, used);

    ReportSection section{.id = "setup", .heading = "Set-up"};
    section.paragraphs.push_back(
        "The inputs as the calculator used them, named as in the JSON output and the CSV "
        "columns. A swept input takes its value from the sweep at each point, and a data file "
        "replaces the values it gives (ENR, DUT gain and matches) there" +
        std::string(sweep.bench.any() ? "; the bench around the DUT is shown at freq_ghz, and "
                                        "the sweep's table gives it at each point."
                                      : "."));
    if (drawing) section.drawings.push_back(std::move(*drawing));
    ReportTable table{.caption = "Inputs", .header = {"Input", "Value", "Unit"}};
    add_rows(table, inputs, "");
    section.tables.push_back(std::move(table));
    section.tables.push_back(sweep_table(sweep));
    return section;
}

}  // namespace orlavex::report
