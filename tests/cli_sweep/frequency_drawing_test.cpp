// The report's frequency-plan drawing: the four frequencies in their places
// on one axis, labelled with the plan's numbers, no label crossed; as SVG in
// the page; in the set-up section of a converting DUT's report only.
#include "report/frequency_drawing.h"
#include "app/inputs/sweep_request.h"
#include "core/number_text.h"
#include "measure/frequency_plan.h"
#include "report/drawing_svg.h"
#include "report/plan_report.h"
#include "report/report_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace orlavex::report {
namespace {

using measure::LoSide;

constexpr double GHz = 1e9;
constexpr std::array<const char*, 4> names{"signal", "image", "LO", "output"};

const DrawingText* label_of(const ReportDrawing& d, const std::string& name) {
    const auto found = std::ranges::find_if(
        d.texts, [&](const DrawingText& t) { return t.text.starts_with(name + " "); });
    return found == d.texts.end() ? nullptr : &*found;
}

// The vertical line drawn in the label's colour.
const DrawingLine* line_of(const ReportDrawing& d, const DrawingText& label) {
    const auto found = std::ranges::find_if(d.lines, [&](const DrawingLine& l) {
        return l.colour == label.colour && l.x1 == l.x2 && l.y1 != l.y2;
    });
    return found == d.lines.end() ? nullptr : &*found;
}

// A label's box: as wide as the layout reckons its characters, with room for
// descenders.
struct Box {
    double left, right, top, bottom;
};
Box box_of(const DrawingText& t, double text_size) {
    return {t.x, t.x + t.text.size() * 6.4, t.y - text_size, t.y + 3};
}

TEST(FrequencyPlanDrawing, EachFrequencyInItsPlaceAndLabelledWithItsNumber) {
    struct Case {
        double f_in_ghz, f_out_ghz;
        LoSide side;
    };
    const Case cases[] = {
        {10, 1, LoSide::below}, {10, 1, LoSide::above},
        {1, 10, LoSide::below}, {2.4, 0.07, LoSide::below},  // signal, LO and image close together
        {3, 2, LoSide::below},                               // LO and image at the same 1 GHz
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.f_in_ghz) + " -> " + std::to_string(c.f_out_ghz));
        const measure::FrequencyPlan plan =
            measure::frequency_plan(c.f_in_ghz * GHz, c.f_out_ghz * GHz, c.side);
        ASSERT_TRUE(plan.valid());
        const ReportDrawing d =
            frequency_plan_drawing(c.f_in_ghz * GHz, c.f_out_ghz * GHz, plan, "plan");
        const std::array<double, 4> freq{c.f_in_ghz * GHz, plan.image_hz, plan.lo_hz,
                                         c.f_out_ghz * GHz};
        const auto zero = std::ranges::find(d.texts, "0", &DrawingText::text);
        ASSERT_NE(zero, d.texts.end());
        std::array<double, 4> x{};
        std::vector<Box> boxes;
        std::vector<const DrawingLine*> lines;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const DrawingText* label = label_of(d, names[i]);
            ASSERT_NE(label, nullptr) << names[i];
            EXPECT_EQ(label->text,
                      std::string(names[i]) + " " + general_text(freq[i] / GHz) + " GHz");
            const DrawingLine* line = line_of(d, *label);
            ASSERT_NE(line, nullptr) << names[i];
            x[i] = line->x1;
            boxes.push_back(box_of(*label, d.text_size));
            lines.push_back(line);
            EXPECT_LE(boxes.back().right, d.width) << label->text << " inside the drawing";
        }
        // On one axis from 0 Hz: each place in proportion to its frequency,
        // so in the frequencies' order.
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR((x[i] - zero->x) / freq[i], (x[0] - zero->x) / freq[0], 1e-12 / GHz)
                << names[i];
            for (std::size_t j = 0; j < 4; ++j) {
                if (freq[i] < freq[j]) {
                    EXPECT_LT(x[i], x[j]) << names[i] << " " << names[j];
                }
            }
        }
        // No label on another, no line through another's label.
        for (std::size_t i = 0; i < 4; ++i) {
            for (std::size_t j = 0; j < 4; ++j) {
                if (i == j) continue;
                const Box& a = boxes[i];
                const Box& b = boxes[j];
                const bool apart = a.bottom <= b.top || b.bottom <= a.top || a.right <= b.left ||
                                   b.right <= a.left;
                EXPECT_TRUE(apart) << names[i] << " on " << names[j];
                const DrawingLine& l = *lines[j];
                const bool under = l.x1 < a.left || l.x1 > a.right ||
                                   std::min(l.y1, l.y2) > a.bottom || std::max(l.y1, l.y2) < a.top;
                EXPECT_TRUE(under) << names[j] << "'s line through " << names[i];
            }
        }
    }
}

TEST(FrequencyPlanDrawing, AsSvgEveryLineAndLabelEscaped) {
    const measure::FrequencyPlan plan = measure::frequency_plan(10 * GHz, 1 * GHz, LoSide::below);
    const ReportDrawing d = frequency_plan_drawing(10 * GHz, 1 * GHz, plan, "plan <at> \"10\"");
    const std::string svg = drawing_svg(d);
    EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
    EXPECT_NE(svg.find("aria-label=\"plan &lt;at&gt; &quot;10&quot;\""), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = svg.find("<line "); at != std::string::npos;
         at = svg.find("<line ", at + 1))
        ++lines;
    EXPECT_EQ(lines, d.lines.size());
    for (const char* label : {">signal 10 GHz<", ">image 8 GHz<", ">LO 9 GHz<", ">output 1 GHz<"})
        EXPECT_NE(svg.find(label), std::string::npos) << label;
    EXPECT_NE(svg.find("stroke-dasharray"), std::string::npos) << "the LO dashed";
}

// The set-up section of a sweep's report: a converting DUT's has the drawing
// at the set-up's own frequency, in the page as an SVG figure; any other's
// has none.
TEST(FrequencyPlanDrawing, InTheReportOfAConvertingDutOnly) {
    struct Case {
        bool converting;
        std::size_t drawings;
    };
    for (const Case c : {Case{true, 1}, Case{false, 0}}) {
        SCOPED_TRACE(c.converting ? "converting" : "not converting");
        app::SweepRequest asked;
        asked.from = 5;
        asked.to = 6;
        asked.points = 3;
        asked.setup.field("freq") = 5;
        if (c.converting) {
            asked.setup.freq_conv = true;
            asked.setup.field("freq2") = 1;
            asked.fixed_if = true;
            asked.setup.model.lo_side = LoSide::above;
        }
        std::vector<std::string> notes;
        const planning::Sweep sweep = app::make_sweep(asked, {}, notes);
        const planning::SweepResult result = planning::run_sweep(sweep);
        const ReportContent content =
            plan_report({asked.setup, sweep, result, notes, nullptr, "now", "3.30", nullptr});
        const ReportSection& setup = content.sections.at(0);
        ASSERT_EQ(setup.id, "setup");
        ASSERT_EQ(setup.drawings.size(), c.drawings);
        const std::string html = report_html(content, {});
        EXPECT_EQ(html.find("<figure class=\"drawing\">") != std::string::npos, c.converting);
        if (!c.converting) continue;
        // The set-up's own frequency, 5 GHz to 1 GHz with the LO above.
        const ReportDrawing& d = setup.drawings[0];
        EXPECT_NE(d.caption.find("lo_side above"), std::string::npos) << d.caption;
        for (const char* label : {"signal 5 GHz", "image 7 GHz", "LO 6 GHz", "output 1 GHz"})
            EXPECT_NE(html.find(">" + std::string(label) + "<"), std::string::npos) << label;
    }
}

}  // namespace
}  // namespace orlavex::report
