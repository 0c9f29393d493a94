// The report library's own rules: which points the table shows, which is
// the worst, the charts made inline, and the content's trip to orlavex-plot.
#include "app/inputs/bench_inputs.h"
#include "app/inputs/reflection_text.h"
#include "app/results/budget_units.h"
#include "app/results/sweep_output.h"
#include "app/setup_file/setup_file.h"
#include "core/number_text.h"
#include "datafiles/enr_table.h"
#include "datafiles/sha256.h"
#include "datafiles/touchstone.h"
#include "measure/match.h"
#include "planning/bench_setup.h"
#include "report/plan_report.h"
#include "report/report_html.h"
#include "report/report_json.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

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
    const planning::Sweep sweep = app::make_sweep(reopened, {}, notes);
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

const std::string examples = ORLAVEX_EXAMPLES_DIR;
const std::string test_data = ORLAVEX_TEST_DATA_DIR;

// A sweep over frequency with BENCH around the DUT, run and reported.
struct Made {
    planning::Sweep sweep;
    planning::SweepResult result;
    ReportContent content;
};

Made made_report(app::SweepRequest asked, const app::BenchInputs& bench = {}) {
    if (asked.points == app::default_points) asked.points = 3;
    EXPECT_EQ(app::to_bench(bench, asked.setup.bench, app::Naming::keyword), "");
    std::vector<std::string> notes;
    Made made{app::make_sweep(asked, {}, notes), {}, {}};
    made.result = planning::run_sweep(made.sweep);
    made.content =
        plan_report({asked.setup, made.sweep, made.result, notes, nullptr, "now", "3.30", nullptr});
    return made;
}

app::SweepRequest over_freq(double from, double to) {
    app::SweepRequest asked;
    asked.from = from;
    asked.to = to;
    return asked;
}

const ReportSection& section_of(const ReportContent& content, std::string_view id) {
    const auto found = std::ranges::find(content.sections, id, &ReportSection::id);
    if (found == content.sections.end()) throw std::runtime_error("no section " + std::string(id));
    return *found;
}

// The value in the row whose first cell is KEY; empty when none.
std::string value_of(const ReportTable& table, std::string_view key) {
    const auto row = std::ranges::find_if(table.rows, [&](const auto& r) { return r[0] == key; });
    return row == table.rows.end() ? std::string() : row->at(1);
}

// A frequency-dependent bench shown beside freq_ghz is the bench at that
// frequency (the sweep runs to 18 GHz, where its worst point lies), and a
// match the model derives is written to 0.01 as the window writes one.
TEST(ReportSetup, TheBenchAtTheSetUpsOwnFrequency) {
    const datafiles::EnrTable enr = datafiles::read_enr_file(examples + "/noise_source.enr");
    const datafiles::Touchstone cable = datafiles::read_touchstone(examples + "/input_cable.s2p");
    const auto table_enr = [&](double f) { return enr.at(f * 1e9).enr_db; };
    const auto table_vswr = [&](double f) {
        const datafiles::SourceReflection r = *enr.at(f * 1e9).reflection;
        return round_to(measure::vswr_from_reflection(std::max(r.on_mag, r.off_mag)), 2);
    };
    struct Case {
        app::BenchInputs bench;
        std::string key;
        std::function<std::string(double f)> expected;
        bool varies = true;  // with frequency
    };
    app::BenchInputs by_table;
    by_table.meas_enr_table = examples + "/noise_source.enr";
    app::BenchInputs by_loss_file;
    by_loss_file.loss_in_s2p = examples + "/input_cable.s2p";
    app::BenchInputs by_return_loss;
    by_return_loss.meas_enr = 14;
    by_return_loss.meas_source_rl = 17.9;
    const std::vector<Case> cases = {
        {by_table, "meas_enr_db", [&](double f) { return app::number_text(table_enr(f), -1); }},
        {by_table, "meas_source_match/vswr",
         [&](double f) { return app::number_text(table_vswr(f), -1); }},
        {by_loss_file, "loss_in_db",
         [&](double f) {
             return app::number_text(planning::loss_from_file_db(cable, f * 1e9), -1);
         }},
        {by_return_loss, "meas_source_match/rl_db", [](double) { return "17.9"; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const Made made = made_report(over_freq(1, 18), c.bench);
        const ReportTable& inputs = section_of(made.content, "setup").tables.at(0);
        const double f = std::stod(value_of(inputs, "freq_ghz"));
        EXPECT_EQ(value_of(inputs, c.key), c.expected(f)) << "at freq_ghz " << f;
        if (c.varies) {
            EXPECT_NE(value_of(inputs, c.key), c.expected(18)) << "not at 18 GHz";
        }
    }
}

// Every ENR table's source by its header fields: model, serial number and
// calibration date ("–" where the header has none); without a table the
// instruments keep their two columns.
TEST(ReportInstruments, EachEnrTableBySerialAndCalibrationDate) {
    struct Case {
        std::string enr_table, meas_enr_table;
        std::vector<std::vector<std::string>> table_rows;
    };
    const std::vector<Case> cases = {
        {"", "", {}},
        {examples + "/noise_source.enr",
         "",
         {{"ENR table of the noise source (noise_source.enr)", "NS346B", "EX-000123",
           "2026-06-01"}}},
        {test_data + "/source.enr",
         examples + "/noise_source.enr",
         {{"ENR table of the noise source (source.enr)", "NS346B", "MY4410", "–"},
          {"ENR table of the measurement noise source (noise_source.enr)", "NS346B", "EX-000123",
           "2026-06-01"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.enr_table + " " + c.meas_enr_table);
        app::SweepRequest asked = over_freq(1, 2);
        asked.enr_table_path = c.enr_table;
        app::BenchInputs bench;
        if (!c.meas_enr_table.empty()) bench.meas_enr_table = c.meas_enr_table;
        const Made made = made_report(asked, bench);
        const ReportTable& table = section_of(made.content, "instruments").tables.at(0);
        if (c.table_rows.empty()) {
            EXPECT_EQ(table.header, (std::vector<std::string>{"Role", "Model"}));
            continue;
        }
        EXPECT_EQ(table.header,
                  (std::vector<std::string>{"Role", "Model", "Serial number", "Calibration date"}));
        EXPECT_EQ(table.rows.at(0), (std::vector<std::string>{"Analyzer", "User", "–", "–"}));
        const std::vector<std::vector<std::string>> last(table.rows.end() - c.table_rows.size(),
                                                         table.rows.end());
        EXPECT_EQ(last, c.table_rows);
    }
}

// The sweep's table takes the bench's columns from the CSV's own columns,
// where the sweep has them; the budget gives each source's unit as the
// command line's budget does.
TEST(ReportSweepTable, TheBenchColumnsAndTheBudgetsUnits) {
    app::BenchInputs bench;
    bench.loss_in_s2p = examples + "/input_cable.s2p";
    bench.loss_out = 0.5;
    bench.meas_noise_source = "NS346D";
    const std::vector<std::string> bench_columns = {"loss_in_db", "loss_out_db", "meas_enr_db"};
    for (const bool with_bench : {true, false}) {
        SCOPED_TRACE(with_bench ? "with the bench" : "without");
        const Made made = made_report(over_freq(1, 18), with_bench ? bench : app::BenchInputs{});
        const ReportTable& table = section_of(made.content, "sweep").tables.at(0);
        const std::vector<app::SweepColumn> csv = app::sweep_columns(made.result, false);
        for (const std::string& name : bench_columns) {
            const auto at = std::ranges::find(table.header, name);
            ASSERT_EQ(at != table.header.end(), with_bench) << name;
            if (!with_bench) continue;
            const auto column = std::ranges::find(csv, name, &app::SweepColumn::name);
            ASSERT_NE(column, csv.end()) << name;
            for (const std::vector<std::string>& row : table.rows) {
                const std::size_t point = std::stoul(row[0]) - 1;
                EXPECT_EQ(row[at - table.header.begin()],
                          app::cell_text(*column, made.result.points.at(point)))
                    << name << " at point " << point + 1;
            }
        }
        const ReportTable& budget = section_of(made.content, "budget").tables.at(0);
        ASSERT_EQ(budget.header.at(2), "unit");
        std::set<std::string> units;
        for (const std::vector<std::string>& row : budget.rows) {
            EXPECT_EQ(row.at(2), app::budget_unit(row.at(0))) << row.at(0);
            units.insert(row.at(2));
        }
        EXPECT_EQ(units, (std::set<std::string>{"dB", "Np"})) << "the jitter in nepers";
    }
}

// Without classic figures at any point the report says why, draws no
// margin chart and does not call the classic figures the equivalent
// set-up's; with a bench that has them, it does.
TEST(ReportClassicFigures, WhyThereAreNoneInsteadOfAnEmptyChart) {
    struct Case {
        bool preamp;
        app::BenchInputs bench;
        Charts charts;
        std::string says;
    };
    app::BenchInputs loss_after;
    loss_after.loss_out = 2;
    app::BenchInputs loss_before;
    loss_before.loss_in = 2;
    const std::vector<Case> cases = {
        {true, loss_after, Charts::uncertainty,
         "a loss after the DUT with a preamplifier in the analyzer chain"},
        {false, loss_before, Charts::both, "the bench's equivalent set-up at the DUT input"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        app::SweepRequest asked = over_freq(1, 6);
        asked.setup.analyzer = "Aravel-3";
        asked.setup.int_preamp = c.preamp;
        const Made made = made_report(asked, c.bench);
        const ReportSection& charts = section_of(made.content, "charts");
        EXPECT_EQ(charts.charts, c.charts);
        const bool none = c.charts == Charts::uncertainty;
        const auto says = [](const std::vector<std::string>& texts, std::string_view what) {
            return std::ranges::any_of(
                texts, [&](const std::string& t) { return t.find(what) != std::string::npos; });
        };
        EXPECT_EQ(says(charts.paragraphs, c.says), none);
        EXPECT_EQ(says(charts.paragraphs, "RSS (classic)"), !none);
        const std::vector<std::string>& notes = section_of(made.content, "notes").bullets;
        EXPECT_TRUE(says(notes, c.says));
        EXPECT_EQ(says(notes, "equivalent set-up at the DUT input; each point"), !none);
    }
}

// The known reflections in one section, from a file or typed: each at the
// shown point (the sweep's points lie on the files' records) with where it
// came from, the typed ones echoed as typed, the bias beside U.
TEST(ReportKnownReflections, EachWithTheFileOrTheTypingItCameFrom) {
    using Values = std::array<std::string, 6>;  // on, off, S11, NFmin, Gamma_opt, rn
    const std::map<double, Values> files = {
        {1, {"0.05@30", "0.12@-80", "0.45@170", "0.35", "0.32@30", "0.14"}},
        {2, {"0.05@30", "0.12@-80", "0.5@-60", "0.4", "0.3@40", "0.15"}},
        {3, {"0.05@30", "0.12@-80", "0.55@-170", "0.48", "0.28@50", "0.17"}}};
    const Values typed = files.at(2);
    const std::string enr = "reflections_source.enr (ENR table)";
    const std::string s2p = "reflections_lna.s2p (DUT S-parameters";
    struct Case {
        bool source_file, dut_file;
        std::array<std::string, 3> from;  // how the source's, S11's and noise rows' start
    } const cases[] = {{true, true, {enr, s2p + ")", s2p + ", noise block)"}},
                       {false, false, {"typed (source_on", "typed (dut_s11)", "typed (dut_nfmin"}},
                       {true, false, {enr, "typed (dut_s11)", "typed (dut_nfmin"}}};
    for (const Case& c : cases) {
        app::SweepRequest asked = over_freq(1, 3);
        measure::ModelOptions& m = asked.setup.model;
        m.reflections = measure::ReflectionModel::known;
        if (c.source_file) asked.enr_table_path = test_data + "/reflections_source.enr";
        if (c.dut_file) asked.dut_s2p_path = test_data + "/reflections_lna.s2p";
        if (!c.source_file) {
            m.source_on_gamma = app::read_reflection(typed[0]);
            m.source_off_gamma = app::read_reflection(typed[1]);
        }
        if (!c.dut_file) {
            m.dut_s11 = app::read_reflection(typed[2]);
            std::tie(m.dut_nfmin_db, m.dut_gamma_opt, m.dut_rn) =
                std::tuple(0.4, app::read_reflection(typed[4]), 0.15);
        }
        const Made made = made_report(asked);
        const ReportSection& section = section_of(made.content, "files");
        const ReportTable& known = section.tables.back();
        EXPECT_EQ(section.heading, "Data files and known reflections");
        const std::size_t at = worst_point(made.result).value();
        EXPECT_NE(known.caption.find("point " + std::to_string(at + 1)), std::string::npos);
        ASSERT_EQ(known.rows.size(), 6u);
        for (std::size_t i = 0; i < 6; ++i) {
            const bool file = i < 2 ? c.source_file : c.dut_file;
            const std::string& value =
                (file ? files.at(made.result.points[at].freq_ghz) : typed)[i];
            EXPECT_EQ(known.rows[i].at(1), value) << known.rows[i].at(0);
            EXPECT_EQ(known.rows[i].at(3).rfind(c.from[i < 2 ? 0 : i == 2 ? 1 : 2], 0), 0u);
        }
        const ReportTable& inputs = section_of(made.content, "setup").tables.at(0);
        EXPECT_EQ(value_of(inputs, "dut_s11"), c.dut_file ? "" : typed[2]);
        EXPECT_NE(section_of(made.content, "budget").paragraphs.back().find("U + |e0| = "),
                  std::string::npos);
    }
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

// For Qt's rich text (the PDF) a wide table's header is set in lines that
// break after "_" only; a browser gets the names as they are. A section
// without classic figures shows the uncertainty chart alone.
TEST(ReportHtml, WideHeadersAndChartsAsEachReaderNeeds) {
    ReportTable wide;
    wide.header = {"point", "U_db", "margin1_db", "dut_gain_db", "mc_lo_db", "all green"};
    wide.wide = true;
    ReportTable narrow;
    narrow.header = {"source", "u_i_db"};
    ReportSection section;
    section.id = "sweep";
    section.charts = Charts::uncertainty;
    section.tables = {wide, narrow};
    ReportContent content;
    content.sections = {section};
    ChartSvgs images;
    images.as_images = true;
    images.image_width = 10;
    images.image_height = 5;
    struct Case {
        HtmlReader reader;
        std::vector<std::string> shown, not_shown;
    };
    const std::vector<Case> cases = {
        {HtmlReader::browser,
         {"<th class=\"wide\">margin1_db</th>", "<th class=\"wide\">dut_gain_db</th>",
          "<th>u_i_db</th>"},
         {"<br>"}},
        {HtmlReader::rich_text,
         {"nowrap\">point</th>", "nowrap\">U_db</th>", "nowrap\">margin1_<br>db</th>",
          "nowrap\">dut_<br>gain_db</th>", "nowrap\">mc_lo_<br>db</th>",
          "nowrap\">all<br>green</th>", "<th>u_i_db</th>"},
         {"margin1_d<br>"}},
    };
    for (const Case& c : cases) {
        const std::string html = report_html(content, images, c.reader);
        for (const std::string& shown : c.shown)
            EXPECT_NE(html.find(shown), std::string::npos) << shown << "\n" << html;
        for (const std::string& not_shown : c.not_shown)
            EXPECT_EQ(html.find(not_shown), std::string::npos) << not_shown;
        EXPECT_NE(html.find("chart:uncertainty"), std::string::npos);
        EXPECT_EQ(html.find("chart:margins"), std::string::npos);
    }
    content.sections[0].charts = Charts::both;
    EXPECT_NE(report_html(content, images).find("chart:margins"), std::string::npos);
    // The choice makes the trip to orlavex-plot.
    content.sections[0].charts = Charts::uncertainty;
    EXPECT_EQ(from_json_text(to_json_text(content)).sections.at(0).charts, Charts::uncertainty);
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
    section.drawings.push_back({.caption = "d",
                                .width = 300,
                                .height = 80.5,
                                .text_size = 11,
                                .lines = {{1, 2, 3, 4.25, "#c0392b", 1.5, true}},
                                .texts = {{5, 6, "LO 9 GHz", "#555555", TextAnchor::end, true}}});
    content.sections = {section};
    content.chart.title = "chart";
    charts::ChartPoint point;
    point.x = 1;
    point.expanded_db = 0.5;
    content.chart.points.push_back(point);
    // As JSON, and as the helper reads it (the chart in binary after it).
    for (const ReportContent& back :
         {from_json_text(to_json_text(content)), from_helper_input(to_helper_input(content)),
          from_helper_input(to_json_text(content))}) {
        // The same text again: every field made the trip.
        EXPECT_EQ(to_json_text(back), to_json_text(content));
        ASSERT_EQ(back.sections.size(), 1u);
        EXPECT_EQ(back.sections[0].tables[0].rows[1][1], "4");
        EXPECT_TRUE(back.sections[0].tables[0].wide);
        EXPECT_EQ(back.chart.points.at(0).expanded_db, 0.5);
        ASSERT_EQ(back.sections[0].drawings.size(), 1u);
        EXPECT_EQ(back.sections[0].drawings[0].texts.at(0).anchor, TextAnchor::end);
        EXPECT_TRUE(back.sections[0].drawings[0].lines.at(0).dashed);
    }
    EXPECT_THROW(from_json_text("{\"title\": 1}"), ReportDataError);
    EXPECT_THROW(from_json_text("not json"), ReportDataError);
    // A chart cut short after the JSON.
    const std::string input = to_helper_input(content);
    EXPECT_THROW(from_helper_input(input.substr(0, input.size() - 3)), ReportDataError);
}

}  // namespace
}  // namespace orlavex::report
