// What a sweep chart shows, as plain values: the programs that compute a
// sweep fill it in without any toolkit, and the chart code (or the
// orlavex-plot helper, after a trip through a pipe) draws it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/classic_figures.h"

namespace orlavex::charts {

// One point of the sweep. Values that do not exist at the point (out of an
// instrument's range, an invalid set-up, no Monte Carlo run) stay empty and
// leave a gap in their curve.
struct ChartPoint {
    double x = 0;                                    // the swept value, in the axis unit
    std::optional<double> expanded_db;               // GUM expanded uncertainty U (k = 2)
    std::optional<double> rss_db;                    // the classic root-sum-square figure
    std::optional<double> mc_lo_db, mc_hi_db;        // Monte Carlo 95 % interval of the error
    std::array<std::optional<double>, 3> margin_db;  // guideline margins 1, 2, 3
    std::array<Lamp, 3> lamp = {Lamp::grey, Lamp::grey, Lamp::grey};
    bool held = false;  // a value from a data file held from its nearest record
    // The source-match bias e0 the model predicts where it knew the
    // reflections in phase; the measured error then lies within e0 +- U.
    std::optional<double> bias_db;
};

// A frequency of a measurement: the DUT's figures evaluated from its
// readings, with the expanded uncertainty U of the noise figure, and the
// plan's figures for the same set-up at the same frequency where a plan was
// given. A figure not known stays empty.
struct MeasuredChartPoint {
    double x = 0;
    std::optional<double> nf_db, gain_db, expanded_db;
    std::optional<double> planned_nf_db, planned_gain_db, planned_expanded_db;
};

struct SweepChartData {
    std::string title;               // e.g. the set-up in a few words
    std::string x_label;             // "Frequency"
    std::string x_unit;              // "GHz"; empty for a unitless swept value
    bool log_x = false;              // logarithmic spacing: logarithmic axis
    std::vector<ChartPoint> points;  // in the sweep's order, rising or falling x
    std::vector<double> band_edges;  // catalogue band edges inside the sweep, in x
    // A measurement's points, in x: when there are any, the charts show them
    // (the noise figure with its error bars, the gain) in place of the
    // sweep's uncertainty and margins.
    std::vector<MeasuredChartPoint> measured;
    // The set-up that produced the sweep, as JSON text: exported PNG and SVG
    // files carry it as metadata. Empty when not known.
    std::string setup;
};

// Whether DATA holds a measurement, drawn as such.
inline bool is_measured(const SweepChartData& data) {
    return !data.measured.empty();
}

// Margin RULE of POINT over that rule's green threshold (see
// measure::guideline_headroom_db); empty where the point has no margin.
std::optional<double> headroom_db(const ChartPoint& point, std::size_t rule);

// The worst of a point's three lamps (red over yellow over grey over green),
// the colour of its mark on the uncertainty chart.
Lamp worst_lamp(const ChartPoint& point);

}  // namespace orlavex::charts
