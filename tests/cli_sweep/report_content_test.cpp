// The report library's own rules: which points the table shows, which is
// the worst, the charts made inline, and the content's trip to orlavex-plot.
#include "app/setup_file.h"
#include "datafiles/sha256.h"
#include "planning/window_setup.h"
#include "report/plan_report.h"
#include "report/report_html.h"
#include "report/report_json.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

namespace orlavex::report {
namespace {

TEST(ReportRows, EvenlyPickedWithBothEndsAndTheWorst) {
    struct Case {
        std::size_t count, limit;
        std::optional<std::size_t> worst;
    };
    for (const Case& c : std::vector<Case>{{171, 50, 150},
                                           {171, 50, std::nullopt},
                                           {1001, 50, 3},
                                           {51, 50, 1},
                                           {20, 50, 7},
                                           {2, 50, 1},
                                           {1, 50, 0}}) {
        const std::vector<std::size_t> shown = shown_points(c.count, c.limit, c.worst);
        const std::size_t picked = std::min(c.count, c.limit);
        EXPECT_TRUE(std::ranges::is_sorted(shown)) << c.count;
        EXPECT_EQ(std::ranges::adjacent_find(shown), shown.end()) << "no point twice";
        EXPECT_EQ(shown.front(), 0u);
        EXPECT_EQ(shown.back(), c.count - 1);
        EXPECT_GE(shown.size(), picked);
        EXPECT_LE(shown.size(), picked + 1);
        if (c.worst) {
            EXPECT_TRUE(std::ranges::binary_search(shown, *c.worst)) << c.count;
        }
        // Evenly: no gap is more than one point wider than another (the
        // worst point aside).
        if (!c.worst && shown.size() > 2) {
            std::vector<std::size_t> gaps;
            for (std::size_t i = 1; i < shown.size(); ++i)
                gaps.push_back(shown[i] - shown[i - 1]);
            EXPECT_LE(std::ranges::max(gaps) - std::ranges::min(gaps), 1u) << c.count;
        }
    }
    EXPECT_TRUE(shown_points(0, 50, std::nullopt).empty());
}

TEST(ReportRows, TheWorstPointHasTheLargestValidU) {
    planning::SweepResult result;
    const auto point = [](double U, bool in_range, bool valid) {
        planning::SweepPoint p;
        p.in_range = in_range;
        p.gum.valid = valid;
        p.gum.U_db = U;
        return p;
    };
    result.points = {
        point(0.3, true, true), point(9, false, true),
        point(5, true, false),  point(std::numeric_limits<double>::quiet_NaN(), true, true),
        point(0.7, true, true), point(0.7, true, true),
        point(0.2, true, true)};
    EXPECT_EQ(worst_point(result), 4u) << "the first of equals; none out of range or invalid";
    result.points = {point(1, false, true)};
    EXPECT_EQ(worst_point(result), std::nullopt);
}

// A set-up file's ENR table reported by the bytes it brought, with the
// original file gone; a table with neither file nor bytes says so.
TEST(ReportFiles, HashTheBytesTheNumbersCameFrom) {
    namespace fs = std::filesystem;
    const fs::path copy =
        fs::temp_directory_path() / ("orlavex-report-enr-" + std::to_string(::getpid()) + ".enr");
    fs::copy_file(fs::path(ORLAVEX_EXAMPLES_DIR) / "noise_source.enr", copy,
                  fs::copy_options::overwrite_existing);
    std::ostringstream original;
    original << std::ifstream(copy, std::ios::binary).rdbuf();
    app::SweepRequest asked;
    asked.from = 1;
    asked.to = 18;
    asked.points = 5;
    asked.enr_table_path = copy;
    const std::string setup_text = app::setup_file_text(asked);
    fs::remove(copy);

    const app::SweepRequest reopened = app::parse_setup_text(setup_text, "bench.orlavex.json");
    std::vector<std::string> notes;
    const planning::Sweep sweep =
        app::make_sweep(planning::started_calculator(), reopened, {}, notes);
    const planning::SweepResult result = planning::run_sweep(sweep);
    const auto file_row = [&](const app::EmbeddedFiles* embedded) {
        const ReportContent content =
            plan_report({reopened.setup, sweep, result, notes, nullptr, "now", "3.30", embedded});
        const auto files = std::ranges::find(content.sections, "files", &ReportSection::id);
        EXPECT_NE(files, content.sections.end());
        EXPECT_EQ(files->tables.at(0).rows.size(), 1u);
        return files->tables.at(0).rows.at(0);
    };
    const std::vector<std::string> row = file_row(&reopened.embedded);
    EXPECT_EQ(row.at(0), "ENR table");
    EXPECT_EQ(row.at(2), datafiles::sha256_hex(original.str()));
    EXPECT_EQ(row.at(3), "0.01");
    EXPECT_EQ(row.at(4), "18");
    EXPECT_EQ(file_row(nullptr).at(2), "(file not at hand)");
}

TEST(ReportHtml, ChartsInlineAtTheirContainersWidth) {
    const std::string document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        "<svg width=\"264.6mm\" height=\"113.8mm\" viewBox=\"0 0 1000 430\" "
        "xmlns=\"http://www.w3.org/2000/svg\"><g stroke-width=\"1\" font-family=\"Sans Serif\">"
        "<text>x</text></g></svg>\n";
    const std::string svg = inline_svg(document);
    EXPECT_EQ(svg.rfind("<svg viewBox=\"0 0 1000 430\" xmlns=", 0), 0u) << svg;
    EXPECT_NE(svg.find("stroke-width=\"1\""), std::string::npos) << "only the root's size goes";
    EXPECT_EQ(svg.find("\"Sans Serif\""), std::string::npos) << "a face browsers know";
    EXPECT_EQ(inline_svg("no drawing"), "");
    EXPECT_EQ(html_escaped("a < b & \"c\" > d"), "a &lt; b &amp; &quot;c&quot; &gt; d");
    // A data file's name shows as it is spelt: an override cannot reverse it.
    EXPECT_EQ(html_escaped("cable\u202eleb.s2p"), "cable\\u202eleb.s2p");
}

TEST(ReportJson, TheContentArrivesWhole) {
    ReportContent content;
    content.title = "T";
    content.subtitle = "S <&>";
    content.date = "2026-12-10 00:00 UTC";
    content.version = "3.30";
    ReportSection section;
    section.id = "sweep";
    section.heading = "The sweep";
    section.charts = Charts::both;
    section.new_page = true;
    section.paragraphs = {"p"};
    section.bullets = {"b"};
    ReportTable table;
    table.caption = "c";
    table.header = {"h1", "h2"};
    table.rows = {{"1", "2"}, {"3", "4"}};
    table.marked = {false, true};
    table.row_keys = {"", "worst"};
    table.styles = {{"", "green"}};
    table.numbers_right = false;
    table.wide = true;
    section.tables.push_back(table);
    content.sections = {section};
    content.chart.title = "chart";
    charts::ChartPoint point;
    point.x = 1;
    point.expanded_db = 0.5;
    content.chart.points.push_back(point);
    const ReportContent back = from_json_text(to_json_text(content));
    // The same text again: every field made the trip.
    EXPECT_EQ(to_json_text(back), to_json_text(content));
    ASSERT_EQ(back.sections.size(), 1u);
    EXPECT_EQ(back.sections[0].tables[0].rows[1][1], "4");
    EXPECT_TRUE(back.sections[0].tables[0].wide);
    EXPECT_EQ(back.chart.points.at(0).expanded_db, 0.5);
    EXPECT_THROW(from_json_text("{\"title\": 1}"), ReportDataError);
    EXPECT_THROW(from_json_text("not json"), ReportDataError);
}

}  // namespace
}  // namespace orlavex::report
