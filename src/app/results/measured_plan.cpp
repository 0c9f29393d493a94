#include "app/results/measured_plan.h"

#include "planning/swept_input.h"

#include <algorithm>
#include <cmath>

namespace orlavex::app {

namespace {

std::optional<double> number_in(const Json& row, const char* key) {
    const Json& value = row[key];
    if (!value.is_number()) return std::nullopt;
    return value.get<double>();
}

}  // namespace

MeasuredPlan plan_at(SweepRequest request, const std::vector<double>& freqs_ghz,
                     const ApplyOptions& options) {
    MeasuredPlan plan;
    if (freqs_ghz.empty()) throw planning::SweepError("a plan needs at least one frequency");
    request.setup.manual = false;
    request.over = planning::SweptInput::frequency;
    const auto [lo, hi] = std::ranges::minmax(freqs_ghz);
    request.from = lo;
    request.to = hi;
    request.points = freqs_ghz.size();
    request.log = false;
    request.monte_carlo = false;
    plan.sweep = make_sweep(request, options, plan.notes);
    plan.sweep.values = freqs_ghz;
    plan.sweep.points = freqs_ghz.size();
    plan.result = planning::run_sweep(plan.sweep);
    return plan;
}

charts::SweepChartData measured_chart_data(const std::vector<MeasuredPoint>& points,
                                           const planning::SweepResult* plan, std::string title) {
    charts::SweepChartData data;
    data.title = std::move(title);
    data.x_label = std::string(planning::info(planning::SweptInput::frequency).label);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Json row = measured_point_json(points[i], false);
        charts::MeasuredChartPoint c;
        c.x = points[i].freq_ghz;
        c.nf_db = number_in(row, "dut_nf_db");
        c.gain_db = number_in(row, "dut_gain_db");
        c.expanded_db = number_in(row, "U_db");
        if (plan && i < plan->points.size() && plan->points[i].in_range) {
            const planning::SweepPoint& p = plan->points[i];
            c.planned_nf_db = p.dut_nf_db;
            c.planned_gain_db = p.dut_gain_db;
            if (p.gum.valid && std::isfinite(p.gum.U_db)) c.planned_expanded_db = p.gum.U_db;
        }
        data.measured.push_back(c);
    }
    return data;
}

}  // namespace orlavex::app
