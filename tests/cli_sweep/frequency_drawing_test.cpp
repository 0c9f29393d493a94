// The report's frequency-plan drawing: the four frequencies in their places
// on one axis, labelled with the plan's numbers, no label crossed (the
// report's files are checked in report_test.cpp).
#include "report/frequency_drawing.h"
#include "core/number_text.h"
#include "measure/frequency_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

}  // namespace
}  // namespace orlavex::report
