// The charts a sweep makes: the curves with their legend names, gaps where
// points are out of range, the lamp marks, the band edges and the axes.
#include "charts/sweep_charts.h"

#include "charts/chart_style.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace orlavex::charts {
namespace {

// Five points, the third out of range; the fifth has a yellow lamp.
SweepChartData five_points(bool monte_carlo) {
    SweepChartData data;
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    data.band_edges = {1.5, 9.0};  // the second lies outside the sweep
    for (int i = 0; i < 5; ++i) {
        ChartPoint p;
        p.x = 1 + i;
        if (i != 2) {
            p.expanded_db = 0.2 + 0.01 * i;
            p.rss_db = 0.1;
            if (monte_carlo) {
                p.mc_lo_db = -0.19;
                p.mc_hi_db = 0.21 + 0.01 * i;
            }
            p.margin_db = {8.0, 6.0, 4.0};
            p.lamp = {Lamp::green, Lamp::green, i == 4 ? Lamp::yellow : Lamp::green};
        }
        data.points.push_back(p);
    }
    return data;
}

// The legend's entries as a laid-out chart shows them.
QStringList legend_names(QChart& chart) {
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.setGeometry(0, 0, 900, 500);
    QCoreApplication::sendPostedEvents();
    QStringList names;
    for (QLegendMarker* marker : chart.legend()->markers())
        if (marker->isVisible()) names << marker->label();
    scene.removeItem(&chart);
    return names;
}

template <class Series>
std::vector<Series*> series_of(const QChart& chart) {
    std::vector<Series*> found;
    for (QAbstractSeries* s : chart.series())
        if (auto* typed = qobject_cast<Series*>(s)) found.push_back(typed);
    return found;
}

std::vector<QLineSeries*> lines_named(const QChart& chart, const QString& name) {
    std::vector<QLineSeries*> found;
    for (QLineSeries* s : series_of<QLineSeries>(chart))
        if (s->name() == name) found.push_back(s);
    return found;
}

TEST(UncertaintyChart, ListsEachCurveOnceInTheLegend) {
    const auto chart = make_uncertainty_chart(five_points(true));
    EXPECT_EQ(legend_names(*chart), (QStringList{"Monte Carlo 95 %", "GUM, k = 2", "classic RSS",
                                                 "lamps green", "a lamp yellow"}));
    const auto without_mc = make_uncertainty_chart(five_points(false));
    EXPECT_FALSE(legend_names(*without_mc).contains("Monte Carlo 95 %"));
    EXPECT_TRUE(series_of<QAreaSeries>(*without_mc).empty());
}

TEST(UncertaintyChart, BreaksItsCurvesWhereAPointIsOutOfRange) {
    const auto chart = make_uncertainty_chart(five_points(true));
    const auto plus_u = lines_named(*chart, "GUM, k = 2");
    ASSERT_EQ(plus_u.size(), 2u);
    EXPECT_EQ(plus_u[0]->points(), (QList<QPointF>{{1, 0.2}, {2, 0.21}}));
    EXPECT_EQ(plus_u[1]->points(), (QList<QPointF>{{4, 0.23}, {5, 0.24}}));
    const auto bands = series_of<QAreaSeries>(*chart);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[1]->upperSeries()->points(), (QList<QPointF>{{4, 0.24}, {5, 0.25}}));
    EXPECT_EQ(bands[1]->lowerSeries()->points(), (QList<QPointF>{{4, -0.19}, {5, -0.19}}));
    // -U mirrors +U below zero.
    int mirrored = 0;
    for (QLineSeries* s : series_of<QLineSeries>(*chart))
        if (s->name().isEmpty() && s->count() == 2 && s->at(0) == QPointF(1, -0.2)) ++mirrored;
    EXPECT_EQ(mirrored, 1);
}

TEST(UncertaintyChart, MarksEachPointOnUInItsWorstLampsColour) {
    const auto chart = make_uncertainty_chart(five_points(false));
    QList<QPointF> green, yellow;
    for (QScatterSeries* s : series_of<QScatterSeries>(*chart)) {
        if (s->name() == "lamps green") green = s->points();
        if (s->name() == "a lamp yellow") yellow = s->points();
    }
    EXPECT_EQ(green, (QList<QPointF>{{1, 0.2}, {2, 0.21}, {4, 0.23}}));
    EXPECT_EQ(yellow, (QList<QPointF>{{5, 0.24}}));
}

TEST(UncertaintyChart, DrawsBandEdgesInsideTheSweepAndTitlesItsAxes) {
    const auto chart = make_uncertainty_chart(five_points(false));
    int edges = 0;
    for (QLineSeries* s : series_of<QLineSeries>(*chart))
        if (s->count() == 2 && s->at(0).x() == s->at(1).x()) {
            EXPECT_EQ(s->at(0).x(), 1.5);
            ++edges;
        }
    EXPECT_EQ(edges, 1);
    const auto x_axes = chart->axes(Qt::Horizontal);
    ASSERT_EQ(x_axes.size(), 1);
    EXPECT_EQ(x_axes[0]->titleText(), "Frequency (GHz)");
    auto* x = qobject_cast<QValueAxis*>(x_axes[0]);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->min(), 1);
    EXPECT_EQ(x->max(), 5);
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(y, nullptr);
    EXPECT_LE(y->min(), -0.24);  // the whole of -U and +U in view
    EXPECT_GE(y->max(), 0.24);
}

TEST(UncertaintyChart, UsesALogarithmicAxisForLogarithmicSpacing) {
    SweepChartData data = five_points(false);
    data.log_x = true;
    EXPECT_NE(qobject_cast<QLogValueAxis*>(make_uncertainty_chart(data)->axes(Qt::Horizontal)[0]),
              nullptr);
    data.points.front().x = 0;  // a log axis cannot show 0: linear then
    EXPECT_NE(qobject_cast<QValueAxis*>(make_uncertainty_chart(data)->axes(Qt::Horizontal)[0]),
              nullptr);
}

// Points whose margins cross every rule's thresholds, lamps as the
// calculator lights them (green from 1 / 5 / 3 dB, yellow from 0 / 4 / 2).
SweepChartData crossing_thresholds() {
    struct Row {
        std::array<double, 3> margin;
        std::array<Lamp, 3> lamp;
    };
    using enum Lamp;
    const Row rows[] = {
        {{-0.5, 3.5, 1.5}, {red, red, red}},          {{0.0, 4.0, 2.0}, {yellow, yellow, yellow}},
        {{0.5, 4.5, 2.99}, {yellow, yellow, yellow}}, {{1.0, 5.0, 3.0}, {green, green, green}},
        {{6.0, 2.0, 9.0}, {green, red, green}},       {{0.99, 12.0, 2.5}, {yellow, green, yellow}},
    };
    SweepChartData data;
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    for (const Row& row : rows) {
        ChartPoint p;
        p.x = 2.0 * double(data.points.size() + 1);
        for (std::size_t g = 0; g < 3; ++g)
            p.margin_db[g] = row.margin[g];
        p.lamp = row.lamp;
        data.points.push_back(p);
    }
    return data;
}

// The light areas behind the margins, by the lamp whose colour they carry.
struct Zone {
    QAreaSeries* area;
    double lo, hi;
};

std::map<std::string, Zone> lamp_zones(const QChart& chart) {
    const std::pair<const char*, Rgb> lamps[] = {{"green", chart_style.lamp_green},
                                                 {"yellow", chart_style.lamp_yellow},
                                                 {"red", chart_style.lamp_red}};
    std::map<std::string, Zone> zones;
    for (QAreaSeries* area : series_of<QAreaSeries>(chart))
        for (const auto& [name, rgb] : lamps) {
            const QColor c = area->brush().color();
            if (c.red() != rgb.red || c.green() != rgb.green || c.blue() != rgb.blue) continue;
            EXPECT_LT(c.alpha(), 128) << name << " is light enough to see the curves through";
            zones[name] = {area, area->lowerSeries()->at(0).y(), area->upperSeries()->at(0).y()};
        }
    return zones;
}

// The lamp a mark's colour shows, or empty for a series that is no mark.
std::string mark_lamp(const QScatterSeries& s) {
    if (!s.name().isEmpty()) return {};  // the legend's keys
    const std::pair<Lamp, const char*> lamps[] = {
        {Lamp::green, "green"}, {Lamp::yellow, "yellow"}, {Lamp::red, "red"}, {Lamp::grey, "grey"}};
    for (const auto& [lamp, name] : lamps)
        if (const Rgb rgb = lamp_colour(lamp); s.color() == QColor(rgb.red, rgb.green, rgb.blue))
            return name;
    return {};
}

// The heights of the marks at X, of all three rules.
std::multiset<double> marks_at(const QChart& chart, double x) {
    std::multiset<double> ys;
    for (QScatterSeries* s : series_of<QScatterSeries>(chart))
        if (!mark_lamp(*s).empty())
            for (const QPointF& p : s->points())
                if (p.x() == x) ys.insert(p.y());
    return ys;
}

TEST(MarginChart, PlotsEachMarginOverItsOwnGreenThreshold) {
    const auto chart = make_margin_chart(crossing_thresholds());
    // The fourth point sits exactly on every green threshold; the fifth has
    // 6 - 1, 2 - 5 and 9 - 3 dB.
    EXPECT_EQ(marks_at(*chart, 8), (std::multiset<double>{0.0, 0.0, 0.0}));
    EXPECT_EQ(marks_at(*chart, 10), (std::multiset<double>{5.0, -3.0, 6.0}));

    const QStringList names = legend_names(*chart);
    for (const char* name : {"1: (NF+G)dut - NFsa (green from 1 dB)",
                             "2: ENR - NFdut (green from 5 dB)", "3: ENR - NFsa (green from 3 dB)"})
        EXPECT_TRUE(names.contains(name)) << name << " in " << names.join(" | ").toStdString();
    EXPECT_TRUE(chart->title().contains("green threshold")) << chart->title().toStdString();
    EXPECT_EQ(chart->axes(Qt::Vertical).value(0)->titleText(), "Over green (dB)");
}

TEST(MarginChart, EveryMarkLiesInTheZoneOfItsLampsColour) {
    const auto chart = make_margin_chart(crossing_thresholds());
    const auto zones = lamp_zones(*chart);
    ASSERT_EQ(zones.size(), 3u);
    int checked = 0;
    std::set<std::string> seen;
    for (QScatterSeries* s : series_of<QScatterSeries>(*chart)) {
        const std::string lamp = mark_lamp(*s);
        if (lamp.empty() || lamp == "grey") continue;
        const Zone& zone = zones.at(lamp);
        for (const QPointF& p : s->points()) {
            // A zone holds its lower edge: a margin on the threshold is green.
            EXPECT_GE(p.y(), zone.lo) << lamp << " mark at x = " << p.x();
            EXPECT_LT(p.y(), zone.hi) << lamp << " mark at x = " << p.x();
            ++checked;
        }
        seen.insert(lamp);
    }
    EXPECT_EQ(checked, 18);
    EXPECT_EQ(seen, (std::set<std::string>{"green", "yellow", "red"}));
}

TEST(MarginChart, ZonesFillThePlotBehindTheCurvesAndStayOutOfTheLegend) {
    const SweepChartData data = crossing_thresholds();
    const auto chart = make_margin_chart(data);
    const auto zones = lamp_zones(*chart);
    ASSERT_EQ(zones.size(), 3u);
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(x && y);
    // Stacked without gaps from the bottom of the axis to its top.
    EXPECT_EQ(zones.at("red").lo, y->min());
    EXPECT_EQ(zones.at("red").hi, -1.0);
    EXPECT_EQ(zones.at("yellow").lo, -1.0);
    EXPECT_EQ(zones.at("yellow").hi, 0.0);
    EXPECT_EQ(zones.at("green").lo, 0.0);
    EXPECT_EQ(zones.at("green").hi, y->max());
    const QList<QAbstractSeries*> series = chart->series();
    for (const auto& [name, zone] : zones) {
        for (QLineSeries* edge : {zone.area->lowerSeries(), zone.area->upperSeries()}) {
            ASSERT_EQ(edge->count(), 2) << name;
            EXPECT_EQ(edge->at(0).x(), x->min()) << name;
            EXPECT_EQ(edge->at(1).x(), x->max()) << name;
        }
        // Drawn first, so under every curve and mark.
        EXPECT_LT(series.indexOf(zone.area), 3) << name;
        for (QLegendMarker* marker : chart->legend()->markers(zone.area))
            EXPECT_FALSE(marker->isVisible()) << name;
    }
    // The three rules only: the zones are the key to the marks' colours.
    EXPECT_EQ(legend_names(*chart).size(), 3);
}

TEST(MarginChart, KeepsEveryZoneInViewWhateverTheMargins) {
    for (double margin : {30.0, 0.5, -40.0}) {
        SweepChartData data = crossing_thresholds();
        for (ChartPoint& p : data.points) {
            p.margin_db = {margin, margin + 2, margin + 4};  // headroom -1, -3, +1
            p.lamp.fill(margin > 1 ? Lamp::green : margin >= 0 ? Lamp::yellow : Lamp::red);
        }
        data.log_x = true;
        const auto chart = make_margin_chart(data);
        auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
        ASSERT_NE(y, nullptr);
        EXPECT_LE(y->min(), -2.0) << margin;        // at least 1 dB of red
        EXPECT_GE(y->max(), 1.0) << margin;         // and of green
        EXPECT_LE(y->min(), margin - 3) << margin;  // rule 2's headroom, the lowest
        EXPECT_GE(y->max(), margin + 1) << margin;  // rule 3's, the highest
        const auto zones = lamp_zones(*chart);
        ASSERT_EQ(zones.size(), 3u) << margin;
        auto* x = qobject_cast<QLogValueAxis*>(chart->axes(Qt::Horizontal).value(0));
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(zones.at("green").area->upperSeries()->at(1).x(), x->max());
    }
}

TEST(MarginChart, ZonesAppearEvenWithoutAnyMargin) {
    SweepChartData data = five_points(false);
    for (ChartPoint& p : data.points) {
        p.margin_db = {};
        p.lamp.fill(Lamp::grey);
    }
    const auto chart = make_margin_chart(data);
    EXPECT_EQ(lamp_zones(*chart).size(), 3u);
}

}  // namespace
}  // namespace orlavex::charts
