// A measurement's charts: the DUT's noise figure with error bars and its
// gain, each over the plan of the same set-up.
#include "charts/sweep_charts.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QtCharts/QAreaSeries>

#include "charts/chart_axes.h"
#include "charts/chart_parts.h"
#include "charts/mark_layer.h"

namespace orlavex::charts {

namespace {

using Figure = std::optional<double> MeasuredChartPoint::*;

std::optional<double> plus(std::optional<double> a, std::optional<double> b, double sign) {
    if (!a || !b) return std::nullopt;
    return *a + sign * *b;
}

// The lowest and highest of FIGURES (each a value, or a value with a
// half width beside it) over DATA's measured points, with a little room.
std::pair<double, double> y_range(const SweepChartData& data,
                                  std::initializer_list<std::pair<Figure, Figure>> figures) {
    double lo = INFINITY, hi = -INFINITY;
    for (const MeasuredChartPoint& p : data.measured)
        for (const auto& [value, width] : figures) {
            const std::optional<double> y = p.*value;
            if (!y || !std::isfinite(*y)) continue;
            const double e = width && p.*width && std::isfinite(*(p.*width)) ? *(p.*width) : 0;
            lo = std::min(lo, *y - std::abs(e));
            hi = std::max(hi, *y + std::abs(e));
        }
    if (!(lo <= hi)) return {0, 1};
    const double room = std::max((hi - lo) * 0.05, 0.05);
    return {lo - room, hi + room};
}

// The plan's +-U band about its noise figure, one area per run, listed once.
void add_planned_band(QChart& chart, const SweepChartData& data) {
    const auto edge = [](double sign) {
        return [sign](const MeasuredChartPoint& p) {
            return plus(p.planned_nf_db, p.planned_expanded_db, sign);
        };
    };
    const auto lower = runs_of(data.measured, edge(-1));
    const auto upper = runs_of(data.measured, edge(+1));
    for (std::size_t i = 0; i < lower.size() && i < upper.size(); ++i) {
        auto* top = new QLineSeries;
        auto* bottom = new QLineSeries;
        top->append(upper[i]);
        bottom->append(lower[i]);
        auto* band = new QAreaSeries(top, bottom);
        top->setParent(band);
        bottom->setParent(band);
        band->setName(QStringLiteral("plan ±U (GUM, k = 2)"));
        band->setBrush(colour(chart_style.planned_fill, chart_style.planned_alpha));
        band->setPen(Qt::NoPen);
        attach(chart, band);
        if (i > 0) hide_from_legend(chart, band);
    }
}

// The plan's curve of FIGURE, dashed, listed as NAME where it is drawn.
void add_planned_curve(QChart& chart, const SweepChartData& data, Figure figure,
                       const QString& name) {
    const std::vector<Run> runs =
        runs_of(data.measured, [figure](const MeasuredChartPoint& p) { return p.*figure; });
    if (runs.empty()) return;
    const QPen pen = curve_pen(chart_style.planned, Qt::DashLine);
    add_legend_line(chart, pen, name);
    add_runs(chart, runs, pen, name);
}

// The measured FIGURE as marks joined by a thin line, each with its error
// bar of WIDTH where it has one; listed as NAME.
void add_measured(QChart& chart, const SweepChartData& data, Figure figure, Figure width,
                  const QString& name) {
    QPen thin(colour(chart_style.measured, 110));
    thin.setWidthF(1.0);
    add_runs(chart,
             runs_of(data.measured, [figure](const MeasuredChartPoint& p) { return p.*figure; }),
             thin);
    const double size = mark_size(data.measured.size()) + 1;
    MarkGroup barred{MarkShape::circle, colour(chart_style.measured), false, size, {}, {}};
    MarkGroup bare{MarkShape::circle, colour(chart_style.measured), false, size, {}, {}};
    for (const MeasuredChartPoint& p : data.measured) {
        const std::optional<double> y = p.*figure;
        if (!y || !std::isfinite(*y)) continue;
        const double e = width && p.*width ? *(p.*width) : NAN;
        if (std::isfinite(e)) {
            barred.values.append(QPointF(p.x, *y));
            barred.error_bars.append(e);
        } else {
            bare.values.append(QPointF(p.x, *y));
        }
    }
    add_legend_mark(chart, name, colour(chart_style.measured),
                    colour(chart_style.measured).darker(130), QScatterSeries::MarkerShapeCircle,
                    size);
    auto* layer = new MarkLayer(chart);
    for (MarkGroup* group : {&barred, &bare})
        if (!group->values.isEmpty()) layer->add(std::move(*group));
}

}  // namespace

std::unique_ptr<QChart> make_measured_nf_chart(const SweepChartData& data) {
    auto chart = new_chart(data.title.empty() ? QStringLiteral("Measured noise figure of the DUT")
                                              : QString::fromStdString(data.title));
    attach_x_axis(*chart, data);
    const auto [lo, hi] = y_range(
        data, {{&MeasuredChartPoint::nf_db, &MeasuredChartPoint::expanded_db},
               {&MeasuredChartPoint::planned_nf_db, &MeasuredChartPoint::planned_expanded_db}});
    attach_y_axis(
        *chart, lo, hi,
        {QStringLiteral("DUT noise figure (dB)"), QStringLiteral("NF (dB)"), QStringLiteral("dB")},
        8);
    QObject::connect(chart.get(), &QGraphicsWidget::geometryChanged, chart.get(),
                     [chart = chart.get()] { fit_legend(*chart); });
    // The plan under the measurement, so that every error bar stays in sight.
    add_planned_band(*chart, data);
    add_planned_curve(*chart, data, &MeasuredChartPoint::planned_nf_db,
                      QStringLiteral("planned NF"));
    add_measured(*chart, data, &MeasuredChartPoint::nf_db, &MeasuredChartPoint::expanded_db,
                 QStringLiteral("measured NF ± U"));
    return chart;
}

std::unique_ptr<QChart> make_measured_gain_chart(const SweepChartData& data) {
    auto chart = new_chart(QStringLiteral("Gain of the DUT, measured and planned"));
    attach_x_axis(*chart, data);
    const auto [lo, hi] = y_range(data, {{&MeasuredChartPoint::gain_db, nullptr},
                                         {&MeasuredChartPoint::planned_gain_db, nullptr}});
    attach_y_axis(
        *chart, lo, hi,
        {QStringLiteral("DUT gain (dB)"), QStringLiteral("Gain (dB)"), QStringLiteral("dB")}, 5);
    add_planned_curve(*chart, data, &MeasuredChartPoint::planned_gain_db,
                      QStringLiteral("planned gain"));
    add_measured(*chart, data, &MeasuredChartPoint::gain_db, nullptr,
                 QStringLiteral("measured gain"));
    return chart;
}

}  // namespace orlavex::charts
