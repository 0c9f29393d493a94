#include "report/measured_report.h"

#include "app/results/measured_plan.h"
#include "app/results/sweep_columns.h"
#include "report/report_sections.h"

#include <algorithm>
#include <cmath>

namespace orlavex::report {

namespace {

std::string cell(const app::Json& value, int places) {
    return value.is_number() ? app::number_text(value.get<double>(), places) : "–";
}

std::string planned(const planning::SweepPoint* p, double planning::SweepPoint::*figure) {
    return p && p->in_range ? app::number_text(p->*figure, 4) : "–";
}

ReportSection readings_section(const MeasuredReportInput& input) {
    ReportSection section{.id = "readings", .heading = "Readings"};
    const std::size_t n = input.points.size();
    const bool repeated = n > 0 && input.points.front().readings > 1;
    section.paragraphs.push_back(
        std::to_string(n) + (n == 1 ? " frequency, " : " frequencies, ") +
        (repeated ? "each level read " + std::to_string(input.points.front().readings) +
                        " times (their scatter is the Type A part of the budget)"
                  : "each level read once (the planned jitter stands in for the scatter)") +
        ". The SHA-256 identifies each file's bytes as they were evaluated.");
    ReportTable table{.header = {"Role", "File", "SHA-256", "Frequencies"}, .numbers_right = false};
    for (const ReadingsFileFacts& f : input.files)
        table.rows.push_back({f.role, f.name, f.sha256, std::to_string(f.frequencies)});
    section.tables.push_back(std::move(table));
    return section;
}

ReportSection measured_charts_section() {
    ReportSection section{
        .id = "charts", .heading = "Charts", .charts = Charts::both, .new_page = true};
    section.paragraphs.push_back(
        "Above: the measured DUT noise figure, each frequency with its error bar of ±U (its "
        "expanded uncertainty, coverage factor k), over the plan's noise figure with its ±U "
        "band (GUM, k = 2). Below: the measured gain over the planned gain.");
    return section;
}

ReportSection results_section(const MeasuredReportInput& input) {
    ReportSection section{.id = "results", .heading = "Results", .new_page = true};
    const std::optional<std::size_t> worst = worst_measured(input.rows);
    const std::vector<std::size_t> shown = shown_points(input.rows.size(), most_table_rows, worst);
    section.paragraphs.push_back(
        std::to_string(shown.size()) + " of the " + std::to_string(input.rows.size()) +
        " frequencies, evenly picked, the plan's prediction (plan_*) beside each measured "
        "figure; the worst point (the largest U) is marked. evaluate --readings gives every "
        "frequency with the same numbers.");
    ReportTable table{.header = {"freq_ghz", "readings", "dut_nf_db", "plan_nf_db", "dut_gain_db",
                                 "plan_gain_db", "u_db", "U_db", "plan_U_db", "k", "nu_eff"},
                      .wide = true};
    for (std::size_t i : shown) {
        const app::Json& r = input.rows[i];
        const planning::SweepPoint* p =
            i < input.plan.result.points.size() ? &input.plan.result.points[i] : nullptr;
        const bool is_worst = worst && *worst == i;
        const bool gum = p && p->in_range && p->gum.valid;
        table.rows.push_back(
            {app::number_text(r["freq_ghz"].get<double>(), -1) + (is_worst ? " (worst)" : ""),
             std::to_string(r["readings"].get<std::size_t>()), cell(r["dut_nf_db"], 4),
             planned(p, &planning::SweepPoint::dut_nf_db), cell(r["dut_gain_db"], 4),
             planned(p, &planning::SweepPoint::dut_gain_db), cell(r["u_db"], 4), cell(r["U_db"], 4),
             gum ? app::number_text(p->gum.U_db, 4) : "–", cell(r["k"], 3),
             r["nu_eff"].is_number() ? cell(r["nu_eff"], 1)
             : r["u_db"].is_number() ? "inf"
                                     : "–"});
        table.marked.push_back(is_worst);
        table.row_keys.push_back(is_worst ? "worst" : "");
    }
    section.tables.push_back(std::move(table));
    return section;
}

ReportSection measured_budget_section(const MeasuredReportInput& input) {
    ReportSection section{.id = "budget", .heading = "Budget at the worst point", .new_page = true};
    const std::optional<std::size_t> worst = worst_measured(input.rows);
    if (!worst) {
        section.paragraphs.push_back("No measured point has a valid budget.");
        return section;
    }
    const app::Json& r = input.rows[*worst];
    const measure::Budget& budget = *input.points[*worst].evaluation.budget;
    section.paragraphs.push_back(
        "freq_ghz = " + app::number_text(r["freq_ghz"].get<double>(), -1) +
        ": combined standard uncertainty u = " + cell(r["u_db"], 4) +
        " dB, expanded uncertainty U = " + cell(r["U_db"], 4) + " dB (k = " + cell(r["k"], 3) +
        ", nu_eff = " + (r["nu_eff"].is_number() ? cell(r["nu_eff"], 1) : "inf") + ").");
    section.tables.push_back(budget_table(budget));
    return section;
}

// Every note of the evaluation once, with the frequencies it was given at,
// then the plan's own.
ReportSection measured_notes_section(const MeasuredReportInput& input) {
    ReportSection section{.id = "notes", .heading = "Notes"};
    std::vector<std::pair<std::string, std::vector<double>>> notes;
    for (const app::MeasuredPoint& p : input.points)
        for (const std::string& note : p.evaluation.notes) {
            auto found = std::ranges::find(notes, note, &decltype(notes)::value_type::first);
            if (found == notes.end()) found = notes.insert(notes.end(), {note, {}});
            found->second.push_back(p.freq_ghz);
        }
    for (const auto& [note, freqs] : notes) {
        std::string where = freqs.size() == input.points.size() ? "At every frequency" : "At ";
        if (freqs.size() != input.points.size()) {
            for (std::size_t i = 0; i < freqs.size(); ++i)
                where += (i ? ", " : "") + app::number_text(freqs[i], -1);
            where += " GHz";
        }
        section.bullets.push_back(where + ": " + note);
    }
    for (const std::string& bullet : notes_section(input.plan).bullets)
        section.bullets.push_back("Plan: " + bullet);
    return section;
}

}  // namespace

std::optional<std::size_t> worst_measured(const std::vector<app::Json>& rows) {
    std::optional<std::size_t> worst;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const app::Json& u = rows[i]["U_db"];
        if (!u.is_number()) continue;
        if (!worst || u.get<double>() > rows[*worst]["U_db"].get<double>()) worst = i;
    }
    return worst;
}

ReportContent measured_report(const MeasuredReportInput& input) {
    const PlanReportInput& plan = input.plan;
    ReportContent content;
    content.title = "Noise-figure measurement";
    content.subtitle = "Analyzer " + app::analyzer_name(plan.setup) + ", noise source " +
                       app::noise_source_name(plan.setup);
    content.date = plan.date;
    content.version = plan.version;
    content.chart = app::measured_chart_data(
        input.points, &plan.result, "Measured noise figure of the DUT (" + content.subtitle + ")");
    content.sections = {
        setup_section(plan),    instruments_section(plan),      files_section(plan),
        model_section(plan),    readings_section(input),        measured_charts_section(),
        results_section(input), measured_budget_section(input), measured_notes_section(input)};
    return content;
}

}  // namespace orlavex::report
