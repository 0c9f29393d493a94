#include "charts/sweep_charts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

#include <QtCharts/QAreaSeries>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include "charts/chart_style.h"
#include "measure/guidelines.h"

namespace orlavex::charts {

namespace {

using Value = std::function<std::optional<double>(const ChartPoint&)>;
using Run = QList<QPointF>;

QColor colour(Rgb rgb, int alpha = 255) {
    return QColor(rgb.red, rgb.green, rgb.blue, alpha);
}

// The stretches of consecutive points where the value exists: a curve
// breaks where a point is out of range instead of bridging the gap.
std::vector<Run> runs_of(const SweepChartData& data, const Value& value) {
    std::vector<Run> runs;
    bool open = false;
    for (const ChartPoint& p : data.points) {
        const std::optional<double> y = value(p);
        if (!y || !std::isfinite(*y)) {
            open = false;
            continue;
        }
        if (!open) runs.emplace_back();
        runs.back().append(QPointF(p.x, *y));
        open = true;
    }
    return runs;
}

QString axis_title(const SweepChartData& data) {
    const QString label = QString::fromStdString(data.x_label);
    return data.x_unit.empty() ? label : label + " (" + QString::fromStdString(data.x_unit) + ")";
}

// A step of 1, 2 or 5 times a power of ten giving about `ticks` intervals.
double nice_step(double span, int ticks) {
    if (!(span > 0)) return 1;
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power) return factor * power;
    return 10 * power;
}

bool logarithmic_x(const SweepChartData& data) {
    return data.log_x && !data.points.empty() &&
           std::all_of(data.points.begin(), data.points.end(),
                       [](const ChartPoint& p) { return p.x > 0; });
}

// The x axis' range: the sweep's, never empty.
std::pair<double, double> x_range(const SweepChartData& data) {
    const double lo = data.points.empty() ? 0 : data.points.front().x;
    const double hi = data.points.empty() ? 1 : data.points.back().x;
    return {lo, hi > lo ? hi : lo + 1};
}

void attach_x_axis(QChart& chart, const SweepChartData& data) {
    const auto [lo, hi] = x_range(data);
    QAbstractAxis* axis = nullptr;
    if (logarithmic_x(data)) {
        auto* log_axis = new QLogValueAxis;
        log_axis->setBase(10);
        log_axis->setLabelFormat("%g");
        log_axis->setMinorTickCount(8);
        log_axis->setRange(lo, hi);
        axis = log_axis;
    } else {
        auto* value_axis = new QValueAxis;
        const double step = nice_step(hi - lo, 10);
        value_axis->setRange(lo, hi);
        value_axis->setTickType(QValueAxis::TicksDynamic);
        value_axis->setTickAnchor(std::ceil(lo / step) * step);
        value_axis->setTickInterval(step);
        value_axis->setLabelFormat("%g");
        axis = value_axis;
    }
    axis->setTitleText(axis_title(data));
    chart.addAxis(axis, Qt::AlignBottom);
}

// The label of tick K * STEP, written from the integer K so that the tick
// at zero reads "0", not "-5.55112e-17".
QString tick_label(long long k, double step) {
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    if (k == 0) return QStringLiteral("0");
    return QString::number(static_cast<double>(k) * step, 'f', decimals);
}

// A value axis whose ticks sit on multiples of a 1-2-5 step, labelled with
// exact texts (a category axis with its labels on the values).
QValueAxis* attach_y_axis(QChart& chart, double lo, double hi, const QString& title,
                          int intervals = 8) {
    const double step = nice_step(hi - lo, intervals);
    const long long first = static_cast<long long>(std::floor(lo / step + 1e-9));
    const long long last = static_cast<long long>(std::ceil(hi / step - 1e-9));
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setRange(static_cast<double>(first) * step, static_cast<double>(last) * step);
    axis->setStartValue(static_cast<double>(first) * step);
    for (long long k = first; k <= last; ++k)
        axis->append(tick_label(k, step), static_cast<double>(k) * step);
    axis->setTitleText(title);
    chart.addAxis(axis, Qt::AlignLeft);
    return axis;
}

void attach(QChart& chart, QAbstractSeries* series) {
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
}

void hide_from_legend(QChart& chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart.legend()->markers(series))
        marker->setVisible(false);
}

// One curve as line series, one per run; only the first one has a legend
// entry, so a curve with gaps is still listed once. A curve without any
// value keeps its legend entry through an empty series.
void add_curve(QChart& chart, const std::vector<Run>& runs, const QPen& pen, const QString& name) {
    if (runs.empty()) {
        auto* empty = new QLineSeries;
        empty->setName(name);
        empty->setPen(pen);
        attach(chart, empty);
        return;
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        auto* series = new QLineSeries;
        series->append(runs[i]);
        series->setPen(pen);
        series->setName(name);
        attach(chart, series);
        if (i > 0) hide_from_legend(chart, series);
    }
}

// Marks shrink with the number of points so that neighbours stay apart.
double mark_size(const SweepChartData& data) {
    const double spacing = 900.0 / std::max<std::size_t>(data.points.size(), 1);
    return std::clamp(spacing * 0.9, 3.0, chart_style.lamp_mark_size);
}

QScatterSeries* add_marks(QChart& chart, const QList<QPointF>& points, Rgb rgb, const QString& name,
                          double size,
                          QScatterSeries::MarkerShape shape = QScatterSeries::MarkerShapeCircle) {
    if (points.isEmpty()) return nullptr;
    auto* marks = new QScatterSeries;
    marks->setName(name);
    marks->setMarkerShape(shape);
    marks->setMarkerSize(size);
    marks->setColor(colour(rgb));
    marks->setBorderColor(colour(rgb).darker(130));
    marks->append(points);
    attach(chart, marks);
    return marks;
}

void add_band_edges(QChart& chart, const SweepChartData& data, double y_lo, double y_hi) {
    QPen pen(colour(chart_style.band_edge, 160));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.0);
    const double x_lo = data.points.empty() ? 0 : data.points.front().x;
    const double x_hi = data.points.empty() ? 0 : data.points.back().x;
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

std::unique_ptr<QChart> new_chart(const QString& title) {
    auto chart = std::make_unique<QChart>();
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(title);
    QFont title_font = chart->titleFont();
    title_font.setBold(true);
    title_font.setPointSizeF(title_font.pointSizeF() * 1.15);
    chart->setTitleFont(title_font);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    return chart;
}

QPen curve_pen(Rgb rgb, Qt::PenStyle style) {
    QPen pen(colour(rgb));
    pen.setWidthF(chart_style.curve_width);
    pen.setStyle(style);
    return pen;
}

}  // namespace

std::unique_ptr<QChart> make_uncertainty_chart(const SweepChartData& data) {
    const QString title = data.title.empty() ? QStringLiteral("Uncertainty of the DUT noise figure")
                                             : QString::fromStdString(data.title);
    auto chart = new_chart(title);

    const auto plus_u = runs_of(data, [](const ChartPoint& p) { return p.expanded_db; });
    const auto minus_u = runs_of(data, [](const ChartPoint& p) -> std::optional<double> {
        if (!p.expanded_db) return std::nullopt;
        return -*p.expanded_db;
    });
    const auto plus_rss = runs_of(data, [](const ChartPoint& p) { return p.rss_db; });
    const auto minus_rss = runs_of(data, [](const ChartPoint& p) -> std::optional<double> {
        if (!p.rss_db) return std::nullopt;
        return -*p.rss_db;
    });
    const auto mc_lo = runs_of(data, [](const ChartPoint& p) -> std::optional<double> {
        return p.mc_hi_db ? p.mc_lo_db : std::nullopt;
    });
    const auto mc_hi = runs_of(data, [](const ChartPoint& p) -> std::optional<double> {
        return p.mc_lo_db ? p.mc_hi_db : std::nullopt;
    });

    double y_lo = 0, y_hi = 0;
    for (const ChartPoint& p : data.points)
        for (std::optional<double> y : {p.expanded_db, p.rss_db, p.mc_lo_db, p.mc_hi_db}) {
            if (!y || !std::isfinite(*y)) continue;
            y_lo = std::min({y_lo, *y, -std::abs(*y)});
            y_hi = std::max({y_hi, *y, std::abs(*y)});
        }
    if (y_hi - y_lo <= 0) y_lo = -1, y_hi = 1;

    attach_x_axis(*chart, data);
    QValueAxis* y_axis = attach_y_axis(*chart, y_lo, y_hi, QStringLiteral("Error of NF(DUT) (dB)"));

    // Monte Carlo band first, so the lines draw over it.
    bool band_named = false;
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
        attach(*chart, band);
        if (band_named) hide_from_legend(*chart, band);
        band_named = true;
    }

    const QPen u_pen = curve_pen(chart_style.expanded, Qt::SolidLine);
    const QPen rss_pen = curve_pen(chart_style.rss, Qt::DashLine);
    add_curve(*chart, plus_u, u_pen, QStringLiteral("GUM, k = 2"));
    for (const Run& run : minus_u) {
        auto* series = new QLineSeries;
        series->append(run);
        series->setPen(u_pen);
        attach(*chart, series);
        hide_from_legend(*chart, series);
    }
    add_curve(*chart, plus_rss, rss_pen, QStringLiteral("classic RSS"));
    for (const Run& run : minus_rss) {
        auto* series = new QLineSeries;
        series->append(run);
        series->setPen(rss_pen);
        attach(*chart, series);
        hide_from_legend(*chart, series);
    }

    QList<QPointF> marks[4];
    for (const ChartPoint& p : data.points)
        if (p.expanded_db && std::isfinite(*p.expanded_db))
            marks[static_cast<int>(worst_lamp(p))].append(QPointF(p.x, *p.expanded_db));
    const double size = mark_size(data);
    add_marks(*chart, marks[static_cast<int>(Lamp::green)], chart_style.lamp_green,
              QStringLiteral("lamps green"), size);
    add_marks(*chart, marks[static_cast<int>(Lamp::grey)], chart_style.lamp_grey,
              QStringLiteral("a lamp grey"), size);
    add_marks(*chart, marks[static_cast<int>(Lamp::yellow)], chart_style.lamp_yellow,
              QStringLiteral("a lamp yellow"), size);
    add_marks(*chart, marks[static_cast<int>(Lamp::red)], chart_style.lamp_red,
              QStringLiteral("a lamp red"), size);

    add_band_edges(*chart, data, y_axis->min(), y_axis->max());
    return chart;
}

std::unique_ptr<QChart> make_margin_chart(const SweepChartData& data) {
    auto chart =
        new_chart(QStringLiteral("Guideline margins over their green thresholds, in lamp zones"));
    struct GuidelineLook {
        const char* name;
        QScatterSeries::MarkerShape shape;
    };
    // In the order of measure::guideline_rules.
    static constexpr GuidelineLook looks[3] = {
        {"1: (NF+G)dut - NFsa", QScatterSeries::MarkerShapeCircle},
        {"2: ENR - NFdut", QScatterSeries::MarkerShapeRectangle},
        {"3: ENR - NFsa", QScatterSeries::MarkerShapeTriangle},
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
    QValueAxis* y_axis = attach_y_axis(*chart, y_lo, y_hi, QStringLiteral("Over green (dB)"), 5);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    add_lamp_zones(*chart, data, y_axis->min(), y_axis->max(), yellow_width);

    // Each guideline has its own mark shape; the colour is the lamp's, the
    // same as the zone's it lies in. The legend lists the shapes in a neutral
    // colour: the zones are the key to the colours.
    const double size = mark_size(data) + 1;
    const QColor neutral(70, 70, 70);
    for (std::size_t g = 0; g < 3; ++g) {
        const auto runs = runs_of(data, headroom(g));
        QPen line_pen(colour(chart_style.margin[g], 150));
        line_pen.setWidthF(1.2);
        for (const Run& run : runs) {
            auto* series = new QLineSeries;
            series->append(run);
            series->setPen(line_pen);
            attach(*chart, series);
            hide_from_legend(*chart, series);
        }
        auto* key = new QScatterSeries;
        key->setName(QStringLiteral("%1 (green from %2 dB)")
                         .arg(QString::fromLatin1(looks[g].name))
                         .arg(measure::guideline_rules[g].green_from));
        key->setMarkerShape(looks[g].shape);
        key->setMarkerSize(9);
        key->setColor(neutral);
        key->setBorderColor(neutral);
        attach(*chart, key);

        QList<QPointF> marks[4];
        for (const ChartPoint& p : data.points)
            if (const std::optional<double> y = headroom(g)(p); y && std::isfinite(*y))
                marks[static_cast<int>(p.lamp[g])].append(QPointF(p.x, *y));
        for (int lamp = 0; lamp < 4; ++lamp) {
            QScatterSeries* series = add_marks(*chart, marks[lamp], lamp_colour(Lamp(lamp)),
                                               QString(), size, looks[g].shape);
            if (series) hide_from_legend(*chart, series);
        }
    }
    add_band_edges(*chart, data, y_axis->min(), y_axis->max());
    return chart;
}

}  // namespace orlavex::charts
