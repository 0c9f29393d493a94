#include "cli/sweep_table.h"

#include "app/results/sweep_columns.h"
#include "app/results/sweep_output.h"
#include "cli/text_table.h"
#include "planning/point_notes.h"

#include <algorithm>

namespace orlavex::cli {

using app::SweepColumn;

namespace {

// The table shows the columns an engineer reads first; CSV and JSON have all.
constexpr std::string_view table_columns[] = {
    "freq_ghz", "enr_db", "ycal_db", "ymeas_db", "nf_sys_db", "lamp1", "lamp2",
    "lamp3",    "rss_db", "U_db",    "mc_lo_db", "mc_hi_db",  "note",
};

}  // namespace

void print_sweep_table(std::ostream& out, const planning::SweepResult& result, bool monte_carlo) {
    std::vector<SweepColumn> columns = app::sweep_columns(result, monte_carlo);
    std::vector<SweepColumn> shown;
    shown.push_back(columns.front());
    for (std::string_view name : table_columns) {
        const auto found = std::ranges::find(columns, name, &SweepColumn::name);
        if (found != columns.end() && found != columns.begin()) shown.push_back(*found);
    }
    std::vector<TextTable::Align> align(shown.size(), TextTable::Align::right);
    align.back() = TextTable::Align::left;  // the note
    TextTable table(align);
    std::vector<std::string> header;
    for (const SweepColumn& c : shown)
        header.push_back(c.name);
    table.add(header);
    for (const planning::SweepPoint& point : result.points) {
        std::vector<std::string> row;
        for (const SweepColumn& c : shown) {
            std::string text = app::cell_text(c, point);
            row.push_back(text.empty() && c.name != "note" ? "-" : text);
        }
        table.add(row);
    }
    table.print(out);
    if (const planning::PointCounts counts = planning::count_points(result); counts.held > 0)
        out << '\n' << planning::counts_text(counts) << " (see the notes).\n";
    if (!result.band_edges.empty()) {
        out << "\nBand edges:\n";
        for (const planning::BandEdge& edge : result.band_edges)
            out << "  " << app::number_text(edge.freq_ghz, -1) << " GHz  " << edge.what << '\n';
    }
}

}  // namespace orlavex::cli
