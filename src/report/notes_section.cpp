// The model behind the figures, the advice's ranking and the notes.
#include "app/results/sweep_columns.h"
#include "planning/point_notes.h"
#include "report/report_sections.h"

#include <algorithm>
#include <string_view>

namespace orlavex::report {

namespace {

// Consecutive points of one kind with the same note, as one line.
struct NoteRun {
    std::size_t first = 0, last = 0;
    std::string note;
};

std::vector<NoteRun> note_runs(const planning::SweepResult& result,
                               bool (*kind)(const planning::SweepPoint&)) {
    std::vector<NoteRun> runs;
    for (std::size_t i = 0; i < result.points.size(); ++i) {
        const planning::SweepPoint& p = result.points[i];
        if (!kind(p)) continue;
        if (!runs.empty() && runs.back().last + 1 == i && runs.back().note == p.note) {
            runs.back().last = i;
        } else {
            runs.push_back({i, i, p.note});
        }
    }
    return runs;
}

std::string run_text(const planning::SweepResult& result, const std::string& column,
                     const NoteRun& run) {
    const auto value = [&](std::size_t i) {
        return app::number_text(result.points[i].swept_value, -1);
    };
    std::string where = column + " " + value(run.first);
    if (run.last != run.first)
        where +=
            " to " + value(run.last) + " (" + std::to_string(run.last - run.first + 1) + " points)";
    return where + ": " + run.note;
}

}  // namespace

std::optional<std::string> why_no_classic(const planning::SweepResult& result) {
    const auto in_range = [](const planning::SweepPoint& p) { return p.in_range; };
    const auto has_classic = [](const planning::SweepPoint& p) {
        return p.in_range && p.classic.valid;
    };
    if (std::ranges::none_of(result.points, in_range) ||
        std::ranges::any_of(result.points, has_classic))
        return std::nullopt;
    // A point's note gives its reason as one of its parts.
    static constexpr std::string_view lead = "no classic figures: ";
    std::vector<std::string> reasons;
    for (const planning::SweepPoint& p : result.points) {
        for (std::size_t at = p.note.find(lead); at != std::string::npos;
             at = p.note.find(lead, at + 1)) {
            const std::size_t end = p.note.find("; ", at);
            std::string reason = p.note.substr(at + lead.size(), end - at - lead.size());
            if (std::ranges::find(reasons, reason) == reasons.end())
                reasons.push_back(std::move(reason));
        }
    }
    if (reasons.empty()) return "the calculator window computes none for this set-up";
    std::string joined;
    for (const std::string& reason : reasons)
        joined += (joined.empty() ? "" : "; ") + reason;
    return joined;
}

ReportSection model_section(const PlanReportInput& input) {
    ReportSection section{.id = "model", .heading = "Measurement model"};
    section.paragraphs = {
        "The classic figures (Y factors, NF(dut+sa), the guideline lamps and the RSS "
        "uncertainty) are the calculator window's own. Beside them the model evaluates the same "
        "set-up metrologically complete: the exact cold-temperature relation, the scatter of the "
        "four readings, every error source with its own distribution, an uncertainty budget "
        "after the GUM with coverage factor k = 2 (about 95 %), and, where asked, a Monte Carlo "
        "simulation of the measurement itself."};
    const planning::MonteCarloChoice& mc = input.sweep.monte_carlo;
    section.paragraphs.push_back(
        mc.enabled ? "Monte Carlo: " + std::to_string(mc.trials) + " trials at every point, seed " +
                         std::to_string(mc.seed) +
                         " (the same seed at every point); the 95 % interval is the 2.5 % and "
                         "97.5 % quantiles of the error."
                   : "Monte Carlo: not run for this report (the GUM budget stands alone).");
    section.paragraphs.push_back("Modelled:");
    const bool known = input.sweep.model.reflections == measure::ReflectionModel::known;
    section.bullets = {
        "ENR of the noise source (its table's uncertainty, k = 2), one draw for calibration "
        "and measurement at one frequency, two with a frequency-converting DUT or a separate "
        "measurement source",
        known ? "the reflections at the DUT input known in phase (the source's on and off "
                "reflections, the DUT's S11 and, where given, its noise parameters: see the data "
                "files and known reflections); mismatch between source and analyzer "
                "(calibration), DUT output and analyzer, each with a uniformly distributed phase"
              : "mismatch between source and DUT input, source and analyzer (calibration), DUT "
                "output and analyzer, each with a uniformly distributed phase",
        "the analyzer's noise-figure uncertainty at measurement and calibration, and its level "
        "(gain) uncertainty (normal, or rectangular within the datasheet limit)",
        "the jitter of each of the four readings from the noise bandwidth and integration time "
        "(off while either is 0)",
        "losses before and after the DUT at their physical temperature, with their uncertainty",
    };
    ReportTable not_modelled{.caption = "Not modelled",
                             .header = {"Effect", "Why it matters"},
                             .rows = {{"Drift between calibration and measurement",
                                       "the instruments are taken as stable between the two"},
                                      {"Connector repeatability", "not part of any budget line"}},
                             .numbers_right = false};
    if (!known) {
        not_modelled.rows.insert(
            not_modelled.rows.begin(),
            {"The DUT's noise parameters",
             "its noise figure is taken as given, whatever the source match; a noise block in a "
             "Touchstone file is read and ignored unless the reflections are known"});
    }
    section.tables.push_back(std::move(not_modelled));
    return section;
}

namespace {

// The sideband modes of the set-up as given, beside the set-ups' ranking.
void add_sideband_advice(ReportSection& section, const planning::SidebandAdvice& sidebands) {
    section.paragraphs.push_back(
        "The set-up as given, measured as a double-sideband and as a single-sideband figure "
        "(the same DUT: F_SSB = (1 + r) F_DSB), ranked by the worst U over the same points in "
        "the second table: " +
        sidebands.summary + ".");
    if (!sidebands.image_filter.empty()) section.paragraphs.push_back(sidebands.image_filter);
    ReportTable table{
        .caption = "Sideband modes of the set-up as given",
        .header = {"rank", "mode", "worst_U_db", "worst_at_ghz", "dut_nf_db", "dut_gain_db"}};
    for (const planning::SidebandEntry& e : sidebands.modes) {
        const bool any = e.evaluated > 0;
        const auto shown = [any](double x, int places) {
            return any ? app::number_text(x, places) : std::string("–");
        };
        table.rows.push_back({std::to_string(e.rank), e.label, shown(e.worst_U_db, 3),
                              shown(e.worst_at, -1), shown(e.dut_nf_db, 3),
                              shown(e.dut_gain_db, 3)});
    }
    section.tables.push_back(std::move(table));
}

}  // namespace

ReportSection advice_section(const planning::Advice& advice) {
    ReportSection section{.id = "advice", .heading = "Advice: the five best set-ups"};
    section.paragraphs.push_back(
        "Every catalogue noise source (and the user's) with every preamplifier choice of the "
        "analyzer, swept over the same points and ranked.");
    ReportTable table{
        .header = {"rank", "set-up", "worst_U_db", "worst_at_ghz", "all green", "why this place"}};
    for (const planning::AdviceEntry& e : advice.ranking) {
        if (e.rank > 5) break;
        const bool any = e.evaluated > 0;
        table.rows.push_back({std::to_string(e.rank), e.candidate.label(),
                              any ? app::number_text(e.worst_U_db, 3) : "–",
                              any ? app::number_text(e.worst_at, -1) : "–",
                              std::to_string(e.all_green) + "/" + std::to_string(e.points),
                              e.reason});
    }
    table.numbers_right = false;
    section.tables.push_back(std::move(table));
    if (advice.sidebands) add_sideband_advice(section, *advice.sidebands);
    return section;
}

ReportSection notes_section(const PlanReportInput& input) {
    const planning::SweepResult& result = input.result;
    const std::string column = app::sweep_columns(result, false).front().name;
    ReportSection section{.id = "notes", .heading = "Notes"};
    section.paragraphs.push_back(planning::counts_text(planning::count_points(result)) + ".");
    for (const std::string& note : input.setup_notes)
        section.bullets.push_back("Set-up: " + note);
    for (const NoteRun& run :
         note_runs(result, [](const planning::SweepPoint& p) { return !p.in_range; }))
        section.bullets.push_back("Out of range at " + run_text(result, column, run));
    for (const NoteRun& run :
         note_runs(result, [](const planning::SweepPoint& p) { return p.in_range && p.held; }))
        section.bullets.push_back("Held from the nearest record at " +
                                  run_text(result, column, run));
    if (const std::optional<std::string> why = why_no_classic(result)) {
        section.bullets.push_back(
            "No classic figures (Y factors, guideline lamps, RSS) at any "
            "point: " +
            *why + ".");
    } else if (input.sweep.bench.any()) {
        section.bullets.push_back(
            "With losses around the DUT or a separate measurement source, the classic figures "
            "are the window's for the bench's equivalent set-up at the DUT input; each point's "
            "note in the CSV gives it.");
    }
    if (section.bullets.empty())
        section.bullets.push_back(
            "Every point lies inside the instruments and the data files, and the window took "
            "every value as given.");
    return section;
}

}  // namespace orlavex::report
