// The charts of a sweep (Qt Charts), shared by orlavex-plot and the planner
// window, and those of a measurement: the uncertainty chart (GUM expanded uncertainty, classic RSS,
// the Monte Carlo 95 % band, lamp marks) and the guideline margin chart in its lamp zones.
#pragma once

#include <memory>

#include <QtCharts/QChart>

#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

// The error band of the DUT noise figure against the swept value: +-U
// (GUM, k = 2), +-RSS (classic) and the Monte Carlo 95 % interval, with
// each point's worst guideline lamp as a coloured mark on +U and the
// catalogue band edges as faint vertical lines.
std::unique_ptr<QChart> make_uncertainty_chart(const SweepChartData& data);

// The three guideline margins against the swept value, each as its headroom
// over its own green threshold so that one set of light lamp zones (green,
// yellow, red) lies behind all three; every point marked in its lamp's
// colour.
std::unique_ptr<QChart> make_margin_chart(const SweepChartData& data);

// A measurement's DUT noise figure, each point with its +-U error bar (the
// expanded uncertainty of the point), over the plan's noise figure and its
// +-U band where the data hold a plan.
std::unique_ptr<QChart> make_measured_nf_chart(const SweepChartData& data);

// A measurement's DUT gain over the plan's.
std::unique_ptr<QChart> make_measured_gain_chart(const SweepChartData& data);

// The two charts DATA is drawn as, one above the other: a measurement's
// noise figure and gain, else a sweep's uncertainty and margins.
struct ChartPair {
    std::unique_ptr<QChart> upper, lower;
};
ChartPair make_charts(const SweepChartData& data);

}  // namespace orlavex::charts
