// Gathers a measurement plan's report from a sweep that has run: the set-up
// as the window used it, the instruments and data files, the model, the
// charts, a table of the sweep with its worst point, the budget there, the
// advice and every note.
#pragma once

#include "app/inputs/setup.h"
#include "app/setup_file/embedded_file.h"
#include "planning/advice.h"
#include "planning/sweep.h"
#include "report/report_content.h"

#include <string>
#include <vector>

namespace orlavex::report {

struct PlanReportInput {
    const app::Setup& setup;       // as asked: the catalogue names
    const planning::Sweep& sweep;  // as run: the window after the set-up, the files read
    const planning::SweepResult& result;
    std::vector<std::string> setup_notes;      // values the window rounded or bounded
    const planning::Advice* advice = nullptr;  // when the advice was run
    std::string date;                          // as the report shows it
    std::string version;
    // The data files' own bytes where a set-up file brought them (their
    // SHA-256 then comes from these, not from a file on disk).
    const app::EmbeddedFiles* embedded = nullptr;
};

// The most rows the sweep's table shows (the worst point comes on top when
// the even picking misses it).
inline constexpr std::size_t most_table_rows = 50;

ReportContent plan_report(const PlanReportInput& input);

// The index of the point with the largest expanded uncertainty (the first
// of equals); none when no point has one.
std::optional<std::size_t> worst_point(const planning::SweepResult& result);

// Which of COUNT points the table shows: evenly spread, both ends included,
// at most LIMIT, plus WORST where it is not among them; ascending.
std::vector<std::size_t> shown_points(std::size_t count, std::size_t limit,
                                      std::optional<std::size_t> worst);

// "2026-12-10 00:41 UTC" for now.
std::string utc_now_text();

}  // namespace orlavex::report
