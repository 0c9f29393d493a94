// The charts, the table of the sweep and the budget at its worst point,
// every number written by the CSV's own columns.
#include "app/results/budget_units.h"
#include "app/results/sweep_columns.h"
#include "app/results/sweep_output.h"
#include "report/report_sections.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace orlavex::report {

namespace {

// The columns an engineer reads first, after the swept value; the CSV has all.
// A column the sweep's CSV does not have (the bench's, the Monte Carlo's) is
// left out.
constexpr std::array<std::string_view, 17> table_columns = {
    "freq_ghz",    "enr_db",     "meas_enr_db", "dut_gain_db", "loss_in_db",
    "loss_out_db", "ycal_db",    "ymeas_db",    "nf_sys_db",   "margin1_db",
    "margin2_db",  "margin3_db", "rss_db",      "U_db",        "source_match_bias_db",
    "mc_lo_db",    "mc_hi_db",
};

// A margin cell takes its lamp's colour.
std::string lamp_style(const std::vector<app::SweepColumn>& all, std::string_view margin,
                       const planning::SweepPoint& point) {
    if (!margin.starts_with("margin")) return {};
    const std::string lamp = "lamp" + std::string(margin.substr(6, 1));
    const auto found = std::ranges::find(all, lamp, &app::SweepColumn::name);
    return found == all.end() ? std::string() : app::cell_text(*found, point);
}

}  // namespace

ReportSection charts_section(const PlanReportInput& input) {
    ReportSection section{
        .id = "charts", .heading = "Charts", .charts = Charts::both, .new_page = true};
    const std::optional<std::string> why = why_no_classic(input.result);
    if (!why) {
        section.paragraphs.push_back(
            "Above: the error band of the DUT noise figure, ±U (GUM, k = 2), ±RSS (classic) and "
            "the Monte Carlo 95 % interval where it was run, each point marked in its worst "
            "lamp's colour. Below: the three guideline margins over their green thresholds. "
            "Faint vertical lines are catalogue band edges.");
        return section;
    }
    section.charts = Charts::uncertainty;
    section.paragraphs.push_back(
        "The error band of the DUT noise figure, ±U (GUM, k = 2) and the Monte Carlo 95 % "
        "interval where it was run. Faint vertical lines are catalogue band edges.");
    section.paragraphs.push_back(
        "No point of the sweep has classic figures, so there is no "
        "classic RSS, no guideline lamp and no margin chart: " +
        *why + ".");
    return section;
}

ReportSection sweep_section(const PlanReportInput& input) {
    const planning::SweepResult& result = input.result;
    const std::vector<app::SweepColumn> all =
        app::sweep_columns(result, input.sweep.monte_carlo.enabled);
    std::vector<const app::SweepColumn*> shown = {&all.front()};
    for (std::string_view name : table_columns) {
        const auto found = std::ranges::find(all, name, &app::SweepColumn::name);
        if (found != all.end() && found != all.begin()) shown.push_back(&*found);
    }
    const std::optional<std::size_t> worst = worst_point(result);
    const std::vector<std::size_t> rows =
        shown_points(result.points.size(), most_table_rows, worst);

    ReportSection section{.id = "sweep", .heading = "The sweep", .new_page = true};
    section.paragraphs.push_back(
        std::to_string(rows.size()) + " of the sweep's " + std::to_string(result.points.size()) +
        " points, evenly picked; the worst point (the largest U) is marked. The CSV output of "
        "the same set-up has every point and column, with the same numbers.");
    ReportTable table{.header = {"point"}, .wide = true};
    for (const app::SweepColumn* c : shown)
        table.header.push_back(c->name);
    for (std::size_t i : rows) {
        const planning::SweepPoint& point = result.points[i];
        const bool is_worst = worst && *worst == i;
        std::vector<std::string> row = {std::to_string(i + 1) + (is_worst ? " (worst)" : "")};
        std::vector<std::string> styles = {""};
        for (const app::SweepColumn* c : shown) {
            row.push_back(app::cell_text(*c, point));
            styles.push_back(lamp_style(all, c->name, point));
        }
        table.rows.push_back(std::move(row));
        table.styles.push_back(std::move(styles));
        table.marked.push_back(is_worst);
        table.row_keys.push_back(is_worst ? "worst" : "");
    }
    section.tables.push_back(std::move(table));
    return section;
}

ReportSection budget_section(const PlanReportInput& input) {
    ReportSection section{.id = "budget", .heading = "Budget at the worst point", .new_page = true};
    const std::optional<std::size_t> worst = worst_point(input.result);
    if (!worst) {
        section.paragraphs.push_back("No point of the sweep has a valid budget.");
        return section;
    }
    const planning::SweepPoint& point = input.result.points[*worst];
    const std::vector<app::SweepColumn> all =
        app::sweep_columns(input.result, input.sweep.monte_carlo.enabled);
    const auto cell = [&](std::string_view name) {
        const auto found = std::ranges::find(all, name, &app::SweepColumn::name);
        return found == all.end() ? std::string() : app::cell_text(*found, point);
    };
    section.paragraphs.push_back("Point " + std::to_string(*worst + 1) + ", " + all.front().name +
                                 " = " + cell(all.front().name) +
                                 ": combined standard uncertainty u = " + cell("u_db") +
                                 " dB, expanded uncertainty U = " + cell("U_db") +
                                 " dB (k = " + app::number_text(point.gum.k, -1) + ").");
    if (const std::optional<double> bias = point.source_match_bias_db) {
        section.paragraphs.push_back(
            "The reflections known, the result carries the source-match bias e0 = " +
            cell("source_match_bias_db") + " dB: correct it, or state U + |e0| = " +
            app::number_text(point.gum.U_db + std::abs(*bias), 4) +
            " dB for the uncorrected result.");
    }
    section.tables.push_back(budget_table(point.gum));
    return section;
}

ReportTable budget_table(const measure::Budget& budget) {
    // u in its source's unit, as the command line's budget gives it; c in dB
    // of the DUT's noise figure per that unit.
    ReportTable table{.header = {"source", "u", "unit", "c", "u_i_db", "share"}};
    for (const measure::BudgetLine& line : budget.lines) {
        table.rows.push_back({std::string(line.source), app::number_text(line.u, 4),
                              std::string(app::budget_unit(line.source)),
                              app::number_text(line.c, 4), app::number_text(line.u_i_db, 4),
                              app::number_text(line.share, 3)});
    }
    return table;
}

}  // namespace orlavex::report
