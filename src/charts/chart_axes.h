// The axes of the sweep charts: the swept value along x, whatever the
// sweep's direction, and a y axis whose ticks fit the height the chart is
// given.
#pragma once

#include <utility>

#include <QString>
#include <QStringList>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>

#include "charts/sweep_chart_data.h"

namespace orlavex::charts {

// The x axis' range: from the sweep's lowest value to its highest, never
// empty.
std::pair<double, double> x_range(const SweepChartData& data);

// A logarithmic axis for logarithmic spacing when every value is positive,
// else a linear one, titled with the swept value and its unit.
void attach_x_axis(QChart& chart, const SweepChartData& data);

// A step of 1, 2 or 5 times a power of ten giving about `ticks` intervals.
double nice_step(double span, int ticks);

// A y axis from LO to HI (widened to whole steps of the finest tick
// spacing, about MOST_INTERVALS of them). Its ticks sit on multiples of a
// 1-2-5 step with exact texts (in the chart's locale when it localizes
// numbers) and keep 1.5 label heights apart: as the plot area changes they
// thin out, and the title is the first of TITLES (longest first) that the
// plot's height holds, so that no label is cut short.
QCategoryAxis* attach_y_axis(QChart& chart, double lo, double hi, const QStringList& titles,
                             int most_intervals);

// The label of tick K * STEP, written from the integer K so that the tick
// at zero reads "0", not "-5.55112e-17".
QString tick_label(long long k, double step);

}  // namespace orlavex::charts
