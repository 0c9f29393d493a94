// The charts a sweep makes: the curves with their legend names, gaps where
// points are out of range, the lamp marks, the band edges and the axes.
#include "charts/sweep_charts.h"

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

TEST(MarginChart, MarksEveryMarginInItsLampsColourAndKeepsZeroInView) {
    const auto chart = make_margin_chart(five_points(false));
    const QStringList names = legend_names(*chart);
    for (const char* name :
         {"1: (NF+G)dut - NFsa", "2: ENR - NFdut", "3: ENR - NFsa", "green", "yellow", "red"})
        EXPECT_TRUE(names.contains(name)) << name;
    qsizetype yellow_marks = 0, green_marks = 0;
    const QColor yellow(230, 180, 0), green(40, 160, 60);
    for (QScatterSeries* s : series_of<QScatterSeries>(*chart)) {
        if (!s->name().isEmpty()) continue;  // legend keys
        if (s->color() == yellow) yellow_marks += s->count();
        if (s->color() == green) green_marks += s->count();
    }
    EXPECT_EQ(yellow_marks, 1);
    EXPECT_EQ(green_marks, 11);  // 4 points x 3 margins, less the yellow one
    auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(y, nullptr);
    EXPECT_LE(y->min(), 0);
    EXPECT_GE(y->max(), 8);
}

}  // namespace
}  // namespace orlavex::charts
