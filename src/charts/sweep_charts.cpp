#include "charts/sweep_charts.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include <QFontMetricsF>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>

#include "charts/chart_axes.h"
#include "charts/chart_parts.h"
#include "charts/chart_style.h"
#include "charts/mark_layer.h"
#include "measure/guidelines.h"

namespace orlavex::charts {

namespace {

void add_band_edges(QChart& chart, const SweepChartData& data, double y_lo, double y_hi) {
    QPen pen(colour(chart_style.band_edge, 160));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.0);
    const auto [x_lo, x_hi] = x_range(data);
    for (double edge : data.band_edges) {
        if (edge <= x_lo || edge >= x_hi) continue;
        auto* line = new QLineSeries;
        line->append(edge, y_lo);
        line->append(edge, y_hi);
        line->setPen(pen);
        attach(chart, line);
        hide_from_legend(chart, line);
    }
}

// The lamp zones behind the guideline headrooms as light areas across the
// whole plot: green from 0 up, yellow down to -YELLOW_WIDTH, red below. They
// must be added before the curves so that these draw over them.
void add_lamp_zones(QChart& chart, const SweepChartData& data, double y_lo, double y_hi,
                    double yellow_width) {
    const auto [x_lo, x_hi] = x_range(data);
    struct Zone {
        Lamp lamp;
        double from, to;
    };
    const Zone zones[] = {
        {Lamp::red, y_lo, std::min(y_hi, -yellow_width)},
        {Lamp::yellow, std::max(y_lo, -yellow_width), std::min(y_hi, 0.0)},
        {Lamp::green, std::max(y_lo, 0.0), y_hi},
    };
    for (const Zone& zone : zones) {
        if (zone.to <= zone.from) continue;
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        upper->append({QPointF(x_lo, zone.to), QPointF(x_hi, zone.to)});
        lower->append({QPointF(x_lo, zone.from), QPointF(x_hi, zone.from)});
        auto* area = new QAreaSeries(upper, lower);
        upper->setParent(area);
        lower->setParent(area);
        area->setBrush(colour(lamp_colour(zone.lamp), zone.lamp == Lamp::yellow
                                                          ? chart_style.yellow_zone_alpha
                                                          : chart_style.lamp_zone_alpha));
        area->setPen(Qt::NoPen);
        attach(chart, area);
        hide_from_legend(chart, area);
    }
}

std::optional<double> negated(std::optional<double> value) {
    if (!value) return std::nullopt;
    return -*value;
}

// The Monte Carlo band, one area per run, listed once in the legend.
void add_monte_carlo_band(QChart& chart, const SweepChartData& data) {
    const auto mc_lo = runs_of(data.points, [](const ChartPoint& p) -> std::optional<double> {
        return p.mc_hi_db ? p.mc_lo_db : std::nullopt;
    });
    const auto mc_hi = runs_of(data.points, [](const ChartPoint& p) -> std::optional<double> {
        return p.mc_lo_db ? p.mc_hi_db : std::nullopt;
    });
    for (std::size_t i = 0; i < mc_lo.size() && i < mc_hi.size(); ++i) {
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        upper->append(mc_hi[i]);
        lower->append(mc_lo[i]);
        auto* band = new QAreaSeries(upper, lower);
        upper->setParent(band);
        lower->setParent(band);
        band->setName(QStringLiteral("Monte Carlo 95 %"));
        band->setBrush(colour(chart_style.monte_carlo_fill, chart_style.monte_carlo_alpha));
        band->setPen(QPen(colour(chart_style.monte_carlo_edge), 1.0));
        attach(chart, band);
        if (i > 0) hide_from_legend(chart, band);
    }
}

// -U to +U and the Monte Carlo interval, symmetric about zero.
// U widened by the source-match bias, where the model knew it.
std::optional<double> biased_bound(const ChartPoint& p) {
    if (!p.expanded_db || !p.bias_db) return std::nullopt;
    return *p.expanded_db + std::abs(*p.bias_db);
}

std::pair<double, double> error_range(const SweepChartData& data) {
    double y_lo = 0, y_hi = 0;
    for (const ChartPoint& p : data.points)
        for (std::optional<double> y :
             {p.expanded_db, p.rss_db, p.mc_lo_db, p.mc_hi_db, biased_bound(p)}) {
            if (!y || !std::isfinite(*y)) continue;
            y_lo = std::min({y_lo, *y, -std::abs(*y)});
            y_hi = std::max({y_hi, *y, std::abs(*y)});
        }
    if (y_hi - y_lo <= 0) return {-1, 1};
    return {y_lo, y_hi};
}

// With known reflections: the bias e0 the result carries, and U + |e0| on
// either side, dashed, the bound an engineer quotes without correcting it.
void add_bias_curves(QChart& chart, const SweepChartData& data) {
    const std::vector<Run> bias =
        runs_of(data.points, [](const ChartPoint& p) { return p.bias_db; });
    if (bias.empty()) return;
    const QPen bias_pen = curve_pen(chart_style.bias, Qt::SolidLine);
    const QPen bound_pen = curve_pen(chart_style.expanded, Qt::DashLine);
    const QString bias_name = QStringLiteral("source-match bias");
    const QString bound_name = QStringLiteral("U + |bias|");
    add_legend_line(chart, bias_pen, bias_name);
    add_legend_line(chart, bound_pen, bound_name);
    add_runs(chart, runs_of(data.points, biased_bound), bound_pen, bound_name);
    add_runs(chart,
             runs_of(data.points, [](const ChartPoint& p) { return negated(biased_bound(p)); }),
             bound_pen, bound_name);
    add_runs(chart, bias, bias_pen, bias_name);
}

struct LampLook {
    Lamp lamp;
    Rgb rgb;
    const char* name;
};

// The lamp marks on +U: each point in its worst lamp's colour, hollow where
// a value was held from a data file's nearest record; a legend entry for
// each colour that occurs.
void add_lamp_marks(QChart& chart, const SweepChartData& data) {
    static constexpr LampLook looks[] = {
        {Lamp::green, chart_style.lamp_green, "green"},
        {Lamp::grey, chart_style.lamp_grey, "grey"},
        {Lamp::yellow, chart_style.lamp_yellow, "yellow"},
        {Lamp::red, chart_style.lamp_red, "red"},
    };
    const double size = mark_size(data.points.size());
    std::vector<MarkGroup> groups;
    for (const LampLook& look : looks)
        for (bool held : {false, true})
            groups.push_back({MarkShape::circle, colour(look.rgb), held, size, {}, {}});
    bool any_held = false;
    for (const ChartPoint& p : data.points) {
        if (!p.expanded_db || !std::isfinite(*p.expanded_db)) continue;
        const auto look = std::find_if(std::begin(looks), std::end(looks),
                                       [&](const LampLook& l) { return l.lamp == worst_lamp(p); });
        const auto index = 2 * static_cast<std::size_t>(look - std::begin(looks));
        groups[index + (p.held ? 1 : 0)].values.append(QPointF(p.x, *p.expanded_db));
        any_held = any_held || p.held;
    }
    // Short entries, so that the legend fits one line of a small chart:
    // "worst lamp green", "yellow", "red", then "held value", hollow.
    QString prefix = QStringLiteral("worst lamp ");
    for (std::size_t i = 0; i < std::size(looks); ++i)
        if (!groups[2 * i].values.isEmpty() || !groups[2 * i + 1].values.isEmpty()) {
            add_legend_mark(chart, prefix + QString::fromLatin1(looks[i].name),
                            colour(looks[i].rgb), colour(looks[i].rgb).darker(130),
                            QScatterSeries::MarkerShapeCircle, size);
            prefix.clear();
        }
    if (any_held)
        add_legend_mark(chart, QStringLiteral("held value"), Qt::transparent,
                        colour(chart_style.lamp_grey), QScatterSeries::MarkerShapeCircle, size);
    auto* layer = new MarkLayer(chart);
    for (MarkGroup& group : groups)
        if (!group.values.isEmpty()) layer->add(std::move(group));
}

}  // namespace

std::unique_ptr<QChart> make_uncertainty_chart(const SweepChartData& data) {
    const QString title = data.title.empty() ? QStringLiteral("Uncertainty of the DUT noise figure")
                                             : QString::fromStdString(data.title);
    auto chart = new_chart(title);
    attach_x_axis(*chart, data);
    const auto [y_lo, y_hi] = error_range(data);
    QCategoryAxis* y_axis = attach_y_axis(*chart, y_lo, y_hi,
                                          {QStringLiteral("Error of NF(DUT) (dB)"),
                                           QStringLiteral("NF error (dB)"), QStringLiteral("dB")},
                                          8);

    // Up to eight entries: beside the plot when they do not fit one line.
    QObject::connect(chart.get(), &QGraphicsWidget::geometryChanged, chart.get(),
                     [chart = chart.get()] { fit_legend(*chart); });

    // Drawn in this order: the band under the lines, the lamp marks over
    // them and +U over the marks, so that the GUM curve stays in sight.
    add_monte_carlo_band(*chart, data);
    const QPen u_pen = curve_pen(chart_style.expanded, Qt::SolidLine);
    const QPen rss_pen = curve_pen(chart_style.rss, Qt::DashLine);
    const QString u_name = QStringLiteral("GUM, k = 2");
    add_legend_line(*chart, u_pen, u_name);
    const QString rss_name = QStringLiteral("classic RSS");
    // Listed only where it is drawn: a bench without classic figures has none.
    const std::vector<Run> rss_runs =
        runs_of(data.points, [](const ChartPoint& p) { return p.rss_db; });
    if (!rss_runs.empty()) add_legend_line(*chart, rss_pen, rss_name);
    add_runs(*chart, rss_runs, rss_pen, rss_name);
    add_runs(*chart, runs_of(data.points, [](const ChartPoint& p) { return negated(p.rss_db); }),
             rss_pen);
    add_runs(*chart,
             runs_of(data.points, [](const ChartPoint& p) { return negated(p.expanded_db); }),
             u_pen);
    add_lamp_marks(*chart, data);
    add_runs(*chart, runs_of(data.points, [](const ChartPoint& p) { return p.expanded_db; }), u_pen,
             u_name);
    add_bias_curves(*chart, data);
    add_band_edges(*chart, data, y_axis->min(), y_axis->max());
    return chart;
}

std::unique_ptr<QChart> make_margin_chart(const SweepChartData& data) {
    auto chart =
        new_chart(QStringLiteral("Guideline margins over their green thresholds, in lamp zones"));
    struct GuidelineLook {
        std::size_t rule;  // in measure::guideline_rules
        const char* name;
        const char* goal;
        QScatterSeries::MarkerShape key_shape;
        MarkShape shape;
    };
    // As the calculator lists them, from the top: its names and goals.
    static constexpr GuidelineLook looks[3] = {
        {2, "ENR - NFsa", ">3dB", QScatterSeries::MarkerShapeTriangle, MarkShape::triangle},
        {1, "ENR - NFdut", ">5dB", QScatterSeries::MarkerShapeRectangle, MarkShape::square},
        {0, "(NF+G)dut - NFsa", ">1dB", QScatterSeries::MarkerShapeCircle, MarkShape::circle},
    };
    static_assert(std::size(looks) == measure::guideline_rules.size());
    const auto headroom = [](std::size_t g) {
        return [g](const ChartPoint& p) { return headroom_db(p, g); };
    };

    // Every zone keeps at least one yellow width in view, so that all three
    // colours show whatever the margins are.
    constexpr double yellow_width = measure::guideline_yellow_width_db;
    double y_lo = -2 * yellow_width, y_hi = yellow_width;
    for (const ChartPoint& p : data.points)
        for (std::size_t g = 0; g < 3; ++g)
            if (const std::optional<double> y = headroom(g)(p); y && std::isfinite(*y)) {
                y_lo = std::min(y_lo, *y);
                y_hi = std::max(y_hi, *y);
            }

    attach_x_axis(*chart, data);
    // Fewer ticks than on the uncertainty chart: this one is read by its
    // zones, and its longer legend leaves it less height.
    QCategoryAxis* y_axis = attach_y_axis(
        *chart, y_lo, y_hi, {QStringLiteral("Over green (dB)"), QStringLiteral("dB")}, 5);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    add_lamp_zones(*chart, data, y_axis->min(), y_axis->max(), yellow_width);

    // Each guideline has its own mark shape; the colour is the lamp's, the
    // same as the zone's it lies in. The legend lists the shapes in a neutral
    // colour: the zones are the key to the colours.
    const double size = mark_size(data.points.size()) + 1;
    const QColor neutral(70, 70, 70);
    std::vector<MarkGroup> groups;
    for (const GuidelineLook& look : looks) {
        QPen line_pen(colour(chart_style.margin[look.rule], 150));
        line_pen.setWidthF(1.2);
        add_runs(*chart, runs_of(data.points, headroom(look.rule)), line_pen);
        add_legend_mark(*chart, QStringLiteral("%1 (%2)").arg(look.name, look.goal), neutral,
                        neutral, look.key_shape, 9);
        for (int lamp = 0; lamp < 4; ++lamp)
            for (bool held : {false, true}) {
                MarkGroup group{look.shape, colour(lamp_colour(Lamp(lamp))), held, size, {}, {}};
                for (const ChartPoint& p : data.points)
                    if (const std::optional<double> y = headroom(look.rule)(p);
                        y && std::isfinite(*y) && p.lamp[look.rule] == Lamp(lamp) && p.held == held)
                        group.values.append(QPointF(p.x, *y));
                if (!group.values.isEmpty()) groups.push_back(std::move(group));
            }
    }
    auto* layer = new MarkLayer(*chart);
    for (MarkGroup& group : groups)
        layer->add(std::move(group));
    add_band_edges(*chart, data, y_axis->min(), y_axis->max());
    return chart;
}

ChartPair make_charts(const SweepChartData& data) {
    if (is_measured(data)) return {make_measured_nf_chart(data), make_measured_gain_chart(data)};
    return {make_uncertainty_chart(data), make_margin_chart(data)};
}

}  // namespace orlavex::charts
