// The known reflections a sweep used, each with where it came from: a data
// file (the same names the data files' table gives) or typed.
#include "app/inputs/model_inputs.h"
#include "app/results/sweep_columns.h"
#include "core/number_text.h"
#include "measure/units.h"
#include "report/report_sections.h"

#include <algorithm>
#include <complex>
#include <filesystem>
#include <numbers>
#include <string_view>

namespace orlavex::report {

namespace {

std::string file_text(const std::string& path, std::string_view role) {
    return std::filesystem::path(path).filename().string() + " (" + std::string(role) + ")";
}

// Where each of the three groups came from, as the model looks them up: a
// file that gives them first, else the values typed.
struct Origins {
    std::string source, s11, noise;
};

Origins origins(const planning::Sweep& sweep, const measure::KnownReflections& known) {
    const auto typed = [](std::initializer_list<std::string_view> keys) {
        std::string names;
        for (std::string_view key : keys)
            names += (names.empty() ? "" : ", ") + std::string(key);
        return "typed (" + names + ")";
    };
    Origins o;
    const std::optional<planning::MeasurementSourceInput>& separate = sweep.bench.meas_source;
    const datafiles::EnrTable* table = separate ? (separate->table ? &*separate->table : nullptr)
                                                : (sweep.enr_table ? &*sweep.enr_table : nullptr);
    o.source =
        table != nullptr && table->has_reflection()
            ? file_text(table->name(), separate ? "Measurement source ENR table" : "ENR table")
            : typed({"source_on_gamma", "source_off_gamma"});
    const auto& dut = sweep.dut_sparameters;
    o.s11 = dut && dut->ports() == 2 ? file_text(dut->name(), "DUT S-parameters")
                                     : typed({"dut_s11"}) + ", its S21 the DUT gain's";
    o.noise = !known.noise ? "not known: the DUT's noise figure does not change with the "
                             "source's reflection"
              : dut && dut->has_noise_parameters()
                  ? file_text(dut->name(), "DUT S-parameters, noise block")
                  : typed({"dut_nfmin", "dut_gamma_opt", "dut_rn"});
    return o;
}

std::string reflection_cell(std::complex<double> gamma) {
    const double degrees = std::arg(gamma) * 180 / std::numbers::pi;
    return app::number_text(round_to(std::abs(gamma), 4), -1) + "@" +
           app::number_text(round_to(degrees, 2) + 0.0, -1);
}

std::string number_cell(double x) {
    return app::number_text(round_to(x, 4), -1);
}

// The point whose reflections the table gives: the worst (the budget's),
// else the first that had them.
std::optional<std::size_t> shown_point(const planning::SweepResult& result) {
    const std::optional<std::size_t> worst = worst_point(result);
    if (worst && result.points[*worst].setup.reflections) return worst;
    const auto found = std::ranges::find_if(result.points, [](const planning::SweepPoint& p) {
        return p.in_range && p.setup.reflections.has_value();
    });
    if (found == result.points.end()) return std::nullopt;
    return static_cast<std::size_t>(found - result.points.begin());
}

}  // namespace

void add_known_reflections(ReportSection& section, const PlanReportInput& input) {
    if (input.sweep.model.reflections != measure::ReflectionModel::known) return;
    section.heading = "Data files and known reflections";
    const std::optional<std::size_t> at = shown_point(input.result);
    if (!at) {
        section.paragraphs.push_back(
            "The reflections at the DUT input were asked for as known, but no point had them "
            "(the source's on and off reflections and the DUT's S11, from the files or typed): "
            "every point takes the matches as magnitudes of unknown phase.");
        return;
    }
    const planning::SweepPoint& point = input.result.points[*at];
    const measure::KnownReflections& known = *point.setup.reflections;
    const std::string column = app::sweep_columns(input.result, false).front().name;
    section.paragraphs.push_back(
        "The reflections at the DUT input are known in phase: the measurand is the DUT's noise "
        "figure at a reflectionless source, and each point carries the source-match bias e0 "
        "(source_match_bias_db in the sweep's table). A file's values follow the frequency; a "
        "typed value holds at every point.");
    ReportTable table{.caption = "Known reflections used at point " + std::to_string(*at + 1) +
                                 " (" + column + " = " + app::number_text(point.swept_value, -1) +
                                 ")",
                      .header = {"Input", "Value", "Unit", "From"},
                      .numbers_right = false};
    const Origins from = origins(input.sweep, known);
    table.rows = {{"source_on_gamma", reflection_cell(known.source_on), "", from.source},
                  {"source_off_gamma", reflection_cell(known.source_off), "", from.source},
                  {"dut_s11", reflection_cell(known.s11), "", from.s11}};
    const auto noise_row = [&](std::string_view key, std::string value, std::string_view unit) {
        table.rows.push_back({std::string(key), std::move(value), std::string(unit), from.noise});
    };
    if (known.noise) {
        noise_row("dut_nfmin_db", number_cell(measure::db(known.noise->fmin)), "dB");
        noise_row("dut_gamma_opt", reflection_cell(known.noise->gamma_opt), "");
        noise_row("dut_rn", number_cell(known.noise->rn), "");
    } else {
        noise_row("dut_nfmin_db, dut_gamma_opt, dut_rn", "–", "");
    }
    section.tables.push_back(std::move(table));
}

}  // namespace orlavex::report
