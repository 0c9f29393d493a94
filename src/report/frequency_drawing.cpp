#include "report/frequency_drawing.h"

#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orlavex::report {

namespace {

struct MarkStyle {
    std::string_view name;
    std::string_view colour;
    double width;
    bool dashed;
};

// The two inputs that reach the output in strong lines, the LO fine and
// dashed, the output in its own colour.
constexpr std::array<MarkStyle, 4> mark_styles{{
    {"signal", "#1f5fa8", 3, false},
    {"image", "#c0392b", 3, false},
    {"LO", "#555555", 1.5, true},
    {"output", "#2e7d32", 3, false},
}};

// The canvas in units of the drawing: the axis from its 0 Hz at the left,
// its longest label's room at the right; the labels' steps above it.
struct Canvas {
    double axis_left = 24, axis_length = 460;
    double top = 8, step = 17, axis_gap = 14, below = 30;
    double label_gap = 4;     // between a line and its label
    double char_width = 6.4;  // a generous mean for 11-unit sans-serif text
    double min_width = 640;
};
constexpr Canvas canvas{};

constexpr std::string_view axis_colour = "#1a1a1a";

std::string ghz_text(double hz) {
    return general_text(hz / 1e9) + " GHz";
}

}  // namespace

ReportDrawing frequency_plan_drawing(double f_in_hz, double f_out_hz,
                                     const measure::FrequencyPlan& plan, std::string caption) {
    const std::array<double, 4> freq{f_in_hz, plan.image_hz, plan.lo_hz, f_out_hz};
    // Lowest first; equal frequencies keep the styles' order.
    std::array<std::size_t, 4> order{0, 1, 2, 3};
    std::ranges::stable_sort(order,
                             [&](std::size_t a, std::size_t b) { return freq[a] < freq[b]; });
    const double highest = *std::ranges::max_element(freq);
    // 5 % of room beyond the highest, so that its line stands off the arrow.
    const double per_hz = canvas.axis_length / (highest * 1.05);
    const double axis_y = canvas.top + canvas.step * order.size() + canvas.axis_gap;
    const double axis_right = canvas.axis_left + canvas.axis_length;

    ReportDrawing d;
    d.caption = std::move(caption);
    d.height = axis_y + canvas.below;
    d.width = canvas.min_width;
    const auto line = [&d](double x1, double y1, double x2, double y2, std::string_view colour,
                           double width, bool dashed) {
        d.lines.push_back({x1, y1, x2, y2, std::string(colour), width, dashed});
    };
    line(canvas.axis_left, axis_y, axis_right + 12, axis_y, axis_colour, 1, false);
    line(axis_right + 12, axis_y, axis_right + 5, axis_y - 4, axis_colour, 1, false);
    line(axis_right + 12, axis_y, axis_right + 5, axis_y + 4, axis_colour, 1, false);
    line(canvas.axis_left, axis_y, canvas.axis_left, axis_y + 5, axis_colour, 1, false);
    const double tick_y = axis_y + 5 + d.text_size;
    d.texts.push_back(
        {canvas.axis_left, tick_y, "0", std::string(axis_colour), TextAnchor::middle});
    d.texts.push_back(
        {axis_right + 12, tick_y, "frequency", std::string(axis_colour), TextAnchor::end});

    for (std::size_t step = 0; step < order.size(); ++step) {
        const std::size_t i = order[step];
        const MarkStyle& style = mark_styles[i];
        const double x = canvas.axis_left + freq[i] * per_hz;
        const double label_y = canvas.top + canvas.step * (step + 1) - 4;
        line(x, axis_y, x, label_y - d.text_size + 2, style.colour, style.width, style.dashed);
        std::string label = std::string(style.name) + " " + ghz_text(freq[i]);
        const double label_x = x + canvas.label_gap;
        d.width = std::max(d.width, label_x + label.size() * canvas.char_width + 8);
        d.texts.push_back({label_x, label_y, std::move(label), std::string(style.colour),
                           TextAnchor::start, true});
    }
    return d;
}

}  // namespace orlavex::report
