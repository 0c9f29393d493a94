// Colours and sizes of the sweep charts, one place for the CLI's files and
// the planner window.
#pragma once

#include "core/classic_figures.h"

namespace orlavex::charts {

struct Rgb {
    int red, green, blue;
};

struct ChartStyle {
    Rgb expanded;          // GUM, k = 2
    Rgb rss;               // classic RSS
    Rgb monte_carlo_fill;  // Monte Carlo 95 % band
    Rgb monte_carlo_edge;
    Rgb band_edge;  // catalogue band edges
    Rgb bias;       // the source-match bias
    Rgb margin[3];  // guideline margins 1, 2, 3
    Rgb lamp_green, lamp_yellow, lamp_red, lamp_grey;
    Rgb measured;           // a measurement's points and error bars
    Rgb planned;            // the plan's curves beside a measurement
    Rgb planned_fill;       // the plan's +-U band
    int monte_carlo_alpha;  // 0..255
    int lamp_zone_alpha;    // the lamp zones behind the guideline margins
    int yellow_zone_alpha;  // yellow is pale on white: its zone takes more
    int planned_alpha;      // the plan's +-U band
    double curve_width;
    double lamp_mark_size;
};

inline constexpr ChartStyle chart_style = {
    .expanded = {31, 84, 160},
    .rss = {200, 90, 20},
    .monte_carlo_fill = {120, 170, 225},
    .monte_carlo_edge = {90, 140, 200},
    .band_edge = {150, 150, 150},
    .bias = {170, 30, 110},
    .margin = {{31, 84, 160}, {120, 60, 150}, {20, 130, 130}},
    .lamp_green = {40, 160, 60},
    .lamp_yellow = {230, 180, 0},
    .lamp_red = {215, 40, 40},
    .lamp_grey = {150, 150, 150},
    .measured = {190, 30, 30},
    .planned = {31, 84, 160},
    .planned_fill = {120, 170, 225},
    .monte_carlo_alpha = 110,
    .lamp_zone_alpha = 40,
    .yellow_zone_alpha = 90,
    .planned_alpha = 80,
    .curve_width = 2.0,
    .lamp_mark_size = 7.0,
};

inline Rgb lamp_colour(Lamp lamp) {
    switch (lamp) {
        case Lamp::green:
            return chart_style.lamp_green;
        case Lamp::yellow:
            return chart_style.lamp_yellow;
        case Lamp::red:
            return chart_style.lamp_red;
        case Lamp::grey:
            return chart_style.lamp_grey;
    }
    return chart_style.lamp_grey;
}

}  // namespace orlavex::charts
