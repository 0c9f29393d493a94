// A measurement's charts: every measured noise figure marked with an error
// bar of its own U and wholly in view, the plan drawn (and listed) only
// where the data hold one, the gain beside it.
#include "charts/sweep_charts.h"

#include "charts/mark_layer.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QtCharts/QAbstractAxis>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>

namespace orlavex::charts {
namespace {

// Four frequencies; the third has no U (its budget was not valid).
SweepChartData measurement(bool with_plan) {
    SweepChartData data;
    data.x_label = "Frequency (GHz)";
    const double nf[] = {2.8, 3.1, 3.0, 3.4}, u[] = {0.12, 0.3, 0, 0.5};
    for (int i = 0; i < 4; ++i) {
        MeasuredChartPoint p{.x = 2.0 + i, .nf_db = nf[i], .gain_db = 20 - 0.5 * i};
        if (i != 2) p.expanded_db = u[i];
        if (with_plan) {
            p.planned_nf_db = 3.0;
            p.planned_gain_db = 19.5;
            p.planned_expanded_db = 0.2;
        }
        data.measured.push_back(p);
    }
    return data;
}

// CHART laid out at the report's size; its visible legend entries.
QStringList laid_out(QGraphicsScene& scene, QChart& chart) {
    scene.addItem(&chart);
    chart.setGeometry(0, 0, 1000, 430);
    QCoreApplication::sendPostedEvents();
    QStringList names;
    for (QLegendMarker* marker : chart.legend()->markers())
        if (marker->isVisible()) names << marker->label();
    return names;
}

std::pair<double, double> axis_range(const QChart& chart, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes = chart.axes(orientation);
    EXPECT_EQ(axes.size(), 1);
    if (auto* category = qobject_cast<QCategoryAxis*>(axes.front()))
        return {category->min(), category->max()};
    auto* value = qobject_cast<QValueAxis*>(axes.front());
    return value ? std::pair{value->min(), value->max()} : std::pair{0.0, 0.0};
}

TEST(MeasuredCharts, BarEachNoiseFigureWithItsUAndListThePlanOnlyWhereGiven) {
    struct Case {
        bool with_plan;
        QStringList nf_legend, gain_legend;
    };
    for (const Case& c : {Case{true,
                               {"plan ±U (GUM, k = 2)", "planned NF", "measured NF ± U"},
                               {"planned gain", "measured gain"}},
                          Case{false, {"measured NF ± U"}, {"measured gain"}}}) {
        SCOPED_TRACE(c.with_plan ? "with a plan" : "without a plan");
        const SweepChartData data = measurement(c.with_plan);
        ChartPair pair = make_charts(data);
        QGraphicsScene scene;
        EXPECT_EQ(laid_out(scene, *pair.upper), c.nf_legend);
        EXPECT_EQ(laid_out(scene, *pair.lower), c.gain_legend);

        // One mark per measured point, a bar of its U on each that has one.
        const MarkLayer* layer = mark_layer_of(*pair.upper);
        ASSERT_NE(layer, nullptr);
        QList<QPointF> barred, bare;
        QList<double> bars;
        for (const MarkGroup& g : layer->groups()) {
            (g.error_bars.isEmpty() ? bare : barred) += g.values;
            bars += g.error_bars;
        }
        EXPECT_EQ(barred, (QList<QPointF>{{2, 2.8}, {3, 3.1}, {5, 3.4}}));
        EXPECT_EQ(bars, (QList<double>{0.12, 0.3, 0.5}));
        EXPECT_EQ(bare, (QList<QPointF>{{4, 3.0}}));
        const MarkLayer* gains = mark_layer_of(*pair.lower);
        ASSERT_NE(gains, nullptr);
        ASSERT_EQ(gains->groups().size(), 1u);
        EXPECT_EQ(gains->groups()[0].values.size(), 4);
        EXPECT_TRUE(gains->groups()[0].error_bars.isEmpty());

        // Every bar whole on the plot, the end marks inside its sides.
        const auto [y_lo, y_hi] = axis_range(*pair.upper, Qt::Vertical);
        EXPECT_LE(y_lo, 2.8 - 0.12);
        EXPECT_GE(y_hi, 3.4 + 0.5);
        const auto [x_lo, x_hi] = axis_range(*pair.upper, Qt::Horizontal);
        EXPECT_LT(x_lo, 2.0);
        EXPECT_GT(x_hi, 5.0);
        for (QChart* chart : {pair.upper.get(), pair.lower.get()})
            scene.removeItem(chart);
    }
}

}  // namespace
}  // namespace orlavex::charts
