#include "app/results/sweep_chart_data.h"

#include "planning/swept_input.h"

namespace orlavex::app {

namespace {

std::optional<double> lamp_margin(const planning::SweepPoint& p, int i) {
    if (!p.in_range || p.classic.lamp[i] == Lamp::grey) return std::nullopt;
    return p.classic.margin_db[i];
}

}  // namespace

charts::ChartPoint chart_point(const planning::SweepPoint& p) {
    charts::ChartPoint c;
    c.x = p.swept_value;
    if (p.in_range && p.gum.valid) c.expanded_db = p.gum.U_db;
    if (p.in_range) c.rss_db = p.classic.rss_db;
    if (p.in_range && p.monte_carlo) {
        c.mc_lo_db = p.monte_carlo->interval_lo_db;
        c.mc_hi_db = p.monte_carlo->interval_hi_db;
    }
    for (int i = 0; i < 3; ++i) {
        c.margin_db[i] = lamp_margin(p, i);
        c.lamp[i] = p.in_range ? p.classic.lamp[i] : Lamp::grey;
    }
    c.held = p.held;
    if (p.in_range) c.bias_db = p.source_match_bias_db;
    return c;
}

charts::SweepChartData chart_outline(const planning::SweepResult& outline, std::string title,
                                     bool log_x) {
    charts::SweepChartData data;
    data.title = std::move(title);
    data.x_label = std::string(planning::info(outline.over).label);
    if (outline.match_form == planning::MatchForm::return_loss && planning::info(outline.over).port)
        data.x_label += " (return loss, dB)";
    else if (planning::info(outline.over).port)
        data.x_label += " (VSWR)";
    data.log_x = log_x;
    for (const planning::BandEdge& edge : outline.band_edges)
        data.band_edges.push_back(edge.freq_ghz);
    return data;
}

charts::SweepChartData chart_data(const planning::SweepResult& result, std::string title,
                                  bool log_x) {
    charts::SweepChartData data = chart_outline(result, std::move(title), log_x);
    data.points.reserve(result.points.size());
    for (const planning::SweepPoint& p : result.points)
        data.points.push_back(chart_point(p));
    return data;
}

}  // namespace orlavex::app
