// The charts a sweep makes: the curves with their legend names, gaps where
// points are out of range, the lamp marks, the band edges and the axes.
#include "charts/sweep_charts.h"

#include "charts/chart_style.h"
#include "charts/mark_layer.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
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

// The drawn runs of a curve (its legend entry is an empty series).
std::vector<QLineSeries*> lines_named(const QChart& chart, const QString& name) {
    std::vector<QLineSeries*> found;
    for (QLineSeries* s : series_of<QLineSeries>(chart))
        if (s->name() == name && s->count() > 0) found.push_back(s);
    return found;
}

const std::vector<MarkGroup>& mark_groups(const QChart& chart) {
    static const std::vector<MarkGroup> none;
    const MarkLayer* layer = mark_layer_of(chart);
    EXPECT_NE(layer, nullptr);
    return layer != nullptr ? layer->groups() : none;
}

// The marks in colour RGB, filled or hollow.
QList<QPointF> marks_in(const QChart& chart, Rgb rgb, bool hollow = false) {
    QList<QPointF> found;
    for (const MarkGroup& group : mark_groups(chart))
        if (group.colour == QColor(rgb.red, rgb.green, rgb.blue) && group.hollow == hollow)
            found += group.values;
    return found;
}

TEST(UncertaintyChart, ListsEachCurveOnceInTheLegend) {
    const auto chart = make_uncertainty_chart(five_points(true));
    EXPECT_EQ(legend_names(*chart), (QStringList{"Monte Carlo 95 %", "GUM, k = 2", "classic RSS",
                                                 "worst lamp green", "yellow"}));
    const auto without_mc = make_uncertainty_chart(five_points(false));
    EXPECT_FALSE(legend_names(*without_mc).contains("Monte Carlo 95 %"));
    EXPECT_TRUE(series_of<QAreaSeries>(*without_mc).empty());
}

// A bench without classic figures has no RSS at any point: the legend lists
// only what is drawn.
TEST(UncertaintyChart, ListsTheClassicRssOnlyWhereItIsDrawn) {
    SweepChartData without = five_points(false);
    for (ChartPoint& p : without.points)
        p.rss_db.reset();
    const auto chart = make_uncertainty_chart(without);
    EXPECT_FALSE(legend_names(*chart).contains("classic RSS")) << "no RSS at any point";
    EXPECT_TRUE(lines_named(*chart, "classic RSS").empty());
    SweepChartData one = without;
    one.points[4].rss_db = 0.1;
    EXPECT_TRUE(legend_names(*make_uncertainty_chart(one)).contains("classic RSS"));
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

// With known reflections the chart adds the bias e0 and U + |e0| on either
// side; the axis reaches the widest of them.
TEST(UncertaintyChart, DrawsTheSourceMatchBiasAndUWidenedByIt) {
    SweepChartData data = five_points(false);
    const auto plain = make_uncertainty_chart(data);
    EXPECT_FALSE(legend_names(*plain).contains("source-match bias"));
    EXPECT_TRUE(lines_named(*plain, "U + |bias|").empty());
    const double bias[5] = {-0.58, -0.4, 0, 0.1, -1.2};
    for (int i = 0; i < 5; ++i)
        if (i != 2) data.points[i].bias_db = bias[i];
    const auto chart = make_uncertainty_chart(data);
    const QStringList legend = legend_names(*chart);
    EXPECT_TRUE(legend.contains("source-match bias") && legend.contains("U + |bias|"));
    const auto e0 = lines_named(*chart, "source-match bias");
    ASSERT_EQ(e0.size(), 2u) << "broken where the point is out of range";
    EXPECT_EQ(e0[0]->points(), (QList<QPointF>{{1, -0.58}, {2, -0.4}}));
    EXPECT_EQ(e0[1]->points(), (QList<QPointF>{{4, 0.1}, {5, -1.2}}));
    QList<QPointF> bounds;
    for (QLineSeries* s : lines_named(*chart, "U + |bias|"))
        bounds += s->points();
    // U is 0.2 + 0.01 i; +-(U + |e0|) at the four points in range.
    for (const QPointF& expected :
         {QPointF(1, 0.78), QPointF(1, -0.78), QPointF(2, -0.61), QPointF(5, 1.44)}) {
        EXPECT_TRUE(std::ranges::any_of(bounds,
                                        [&](const QPointF& p) {
                                            return p.x() == expected.x() &&
                                                   std::abs(p.y() - expected.y()) < 1e-12;
                                        }))
            << expected.x() << " " << expected.y();
    }
    const auto* y_axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_NE(y_axis, nullptr);
    EXPECT_LE(y_axis->min(), -1.44);
}

TEST(UncertaintyChart, MarksEachPointOnUInItsWorstLampsColour) {
    const auto chart = make_uncertainty_chart(five_points(false));
    EXPECT_EQ(marks_in(*chart, chart_style.lamp_green),
              (QList<QPointF>{{1, 0.2}, {2, 0.21}, {4, 0.23}}));
    EXPECT_EQ(marks_in(*chart, chart_style.lamp_yellow), (QList<QPointF>{{5, 0.24}}));
    for (const MarkGroup& group : mark_groups(*chart))
        EXPECT_EQ(group.shape, MarkShape::circle);
}

TEST(UncertaintyChart, DrawsHeldPointsHollowAndSaysSoInTheLegend) {
    SweepChartData data = five_points(false);
    data.points[0].held = true;
    data.points[4].held = true;
    const auto chart = make_uncertainty_chart(data);
    EXPECT_EQ(marks_in(*chart, chart_style.lamp_green), (QList<QPointF>{{2, 0.21}, {4, 0.23}}));
    EXPECT_EQ(marks_in(*chart, chart_style.lamp_green, true), (QList<QPointF>{{1, 0.2}}));
    EXPECT_EQ(marks_in(*chart, chart_style.lamp_yellow, true), (QList<QPointF>{{5, 0.24}}));
    EXPECT_TRUE(legend_names(*chart).contains("held value"));
    EXPECT_FALSE(legend_names(*make_uncertainty_chart(five_points(false))).contains("held value"));

    const auto margins = make_margin_chart(data);
    int hollow = 0;
    for (const MarkGroup& group : mark_groups(*margins))
        if (group.hollow) {
            for (const QPointF& p : group.values)
                EXPECT_TRUE(p.x() == 1 || p.x() == 5) << p.x();
            hollow += int(group.values.size());
        }
    EXPECT_EQ(hollow, 6);  // both held points, on all three margins
}

// A chart laid out in a scene of its own at SIZE, as a view or a file shows
// it; the chart stays the caller's.
class LaidOut {
  public:
    LaidOut(QChart& chart, QSize size) : chart_(chart), size_(size) {
        scene_.addItem(&chart);
        chart.setGeometry(0, 0, size.width(), size.height());
        QCoreApplication::sendPostedEvents();
    }
    ~LaidOut() { scene_.removeItem(&chart_); }
    LaidOut(const LaidOut&) = delete;
    LaidOut& operator=(const LaidOut&) = delete;

    // Drawn without antialiasing, so that a pixel has a curve's own colour.
    QImage image() {
        QImage image(size_, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene_.render(&painter, QRectF(image.rect()), QRectF(image.rect()));
        return image;
    }

    QGraphicsScene& scene() { return scene_; }

    int item_count() const {
        int items = 0;
        std::vector<QGraphicsItem*> open{&chart_};
        while (!open.empty()) {
            QGraphicsItem* item = open.back();
            open.pop_back();
            ++items;
            for (QGraphicsItem* child : item->childItems())
                open.push_back(child);
        }
        return items;
    }

    // Every text the chart shows: titles, tick labels, legend entries.
    std::vector<QGraphicsTextItem*> texts() const {
        std::vector<QGraphicsTextItem*> found;
        std::vector<QGraphicsItem*> open{&chart_};
        while (!open.empty()) {
            QGraphicsItem* item = open.back();
            open.pop_back();
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
                found.push_back(text);
            for (QGraphicsItem* child : item->childItems())
                open.push_back(child);
        }
        return found;
    }

  private:
    QGraphicsScene scene_;
    QChart& chart_;
    QSize size_;
};

TEST(UncertaintyChart, DrawsTheGumCurveOverTheLampMarks) {
    SweepChartData data = five_points(false);
    for (ChartPoint& p : data.points)
        p.expanded_db = 0.2;  // a flat +U through the middle of every mark
    auto chart = make_uncertainty_chart(data);
    LaidOut laid_out(*chart, QSize(600, 400));
    const QPoint centre =
        chart->mapToPosition(QPointF(4, 0.2), lines_named(*chart, "GUM, k = 2")[0]).toPoint();
    const Rgb gum = chart_style.expanded;
    EXPECT_EQ(laid_out.image().pixelColor(centre), QColor(gum.red, gum.green, gum.blue));
}

TEST(SweepCharts, PaintTheirMarksWithoutAnItemPerPoint) {
    SweepChartData data;
    data.x_label = "Frequency";
    for (int i = 0; i < 1001; ++i) {
        ChartPoint p;
        p.x = 1 + 0.017 * i;
        p.expanded_db = 0.3;
        p.margin_db = {2.0, 6.0, 4.0};
        p.lamp = {Lamp::green, Lamp::green, i % 2 ? Lamp::green : Lamp::red};
        data.points.push_back(p);
    }
    for (const auto& chart : {make_uncertainty_chart(data), make_margin_chart(data)}) {
        const LaidOut laid_out(*chart, QSize(1000, 400));
        EXPECT_LT(laid_out.item_count(), 300) << chart->title().toStdString();
    }
}

// On a plain raster image the marks are copies of one drawn mark; through a
// recording (as SVG and PDF take them) each is drawn as a vector. Both show
// the same marks, to the antialiased edges' last shades.
TEST(SweepCharts, MarksCopiedOntoAnImageLookAsMarksDrawnOneByOne) {
    SweepChartData data = five_points(false);
    data.points.clear();
    for (int i = 0; i < 200; ++i) {
        ChartPoint p;
        p.x = 1 + 0.0413 * i;
        p.expanded_db = 0.2 + 0.001 * i;
        p.margin_db = {2.0 - 0.03 * i, 6.0, 4.0};
        p.lamp = {Lamp::green, i % 3 ? Lamp::green : Lamp::yellow, Lamp::red};
        p.held = i % 7 == 0;  // hollow marks too
        data.points.push_back(p);
    }
    for (const auto& chart : {make_uncertainty_chart(data), make_margin_chart(data)}) {
        LaidOut laid_out(*chart, QSize(700, 400));
        const auto drawn = [&](bool recorded) {
            QImage image(700, 400, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            if (!recorded) {
                laid_out.scene().render(&painter, QRectF(image.rect()), QRectF(image.rect()));
                return image;
            }
            QPicture picture;
            QPainter recording(&picture);
            recording.setRenderHint(QPainter::Antialiasing);
            laid_out.scene().render(&recording, QRectF(image.rect()), QRectF(image.rect()));
            recording.end();
            painter.drawPicture(0, 0, picture);
            return image;
        };
        const QImage copied = drawn(false), one_by_one = drawn(true);
        long shaded = 0, different = 0;  // by a few levels, and by more
        for (int y = 0; y < copied.height(); ++y)
            for (int x = 0; x < copied.width(); ++x) {
                const QRgb a = copied.pixel(x, y), b = one_by_one.pixel(x, y);
                const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
                shaded += d > 0;
                different += d > 24;
            }
        const double pixels = 700.0 * 400.0;
        EXPECT_LT(shaded / pixels, 0.03) << chart->title().toStdString();
        EXPECT_LT(different / pixels, 0.002) << chart->title().toStdString();
    }
}

TEST(SweepCharts, SpanADownwardSweepWhateverItsDirection) {
    SweepChartData data = five_points(true);
    std::reverse(data.points.begin(), data.points.end());  // 5 down to 1
    for (const auto& chart : {make_uncertainty_chart(data), make_margin_chart(data)}) {
        auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(x->min(), 1);
        EXPECT_EQ(x->max(), 5);
        int edges = 0;  // the band edge at 1.5 lies inside the sweep
        for (QLineSeries* s : series_of<QLineSeries>(*chart))
            if (s->count() == 2 && s->at(0).x() == 1.5 && s->at(1).x() == 1.5) ++edges;
        EXPECT_EQ(edges, 1);
    }
    data.log_x = true;
    const auto log_chart = make_uncertainty_chart(data);
    auto* log_x = qobject_cast<QLogValueAxis*>(log_chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(log_x, nullptr);
    EXPECT_EQ(log_x->min(), 1);
    EXPECT_EQ(log_x->max(), 5);
}

// Margins and uncertainties that need many ticks and decimals, every lamp
// colour, a Monte Carlo band and held points: the longest legends.
SweepChartData busy_sweep() {
    SweepChartData data;
    data.title = "Uncertainty of the DUT noise figure (analyzer Aravel-3, noise source NS346C)";
    data.x_label = "Frequency";
    data.x_unit = "GHz";
    for (int i = 0; i < 101; ++i) {
        ChartPoint p;
        p.x = 1 + 0.17 * i;
        p.expanded_db = 0.123 + 0.01 * i;
        p.rss_db = 0.2;
        p.mc_lo_db = -0.15;
        p.mc_hi_db = 0.17 + 0.01 * i;
        p.margin_db = {-8.0 + 0.2 * i, 4.5, 11.0 - 0.1 * i};
        p.lamp = {i < 40 ? Lamp::red : Lamp::green, Lamp::yellow,
                  i < 50 ? Lamp::green : Lamp::grey};
        p.held = i > 95;
        data.points.push_back(p);
    }
    return data;
}

bool cut_short(const QString& shown) {
    return shown.contains(QStringLiteral("...")) || shown.contains(QChar(0x2026));
}

// The sizes the charts get: a PNG or SVG file, a planner window of 1024 x
// 700 (its uncertainty chart is 629 x 377), and a planner on a 1080-line
// screen at a scale of 2 (912 x 572, its chart about 500 x 234).
TEST(SweepCharts, ShowEveryLabelInFullAtTheSizesTheyAreGiven) {
    const SweepChartData data = busy_sweep();
    for (QSize size :
         {QSize(1000, 418), QSize(1000, 342), QSize(629, 377), QSize(560, 260), QSize(500, 234)}) {
        for (const auto& chart : {make_uncertainty_chart(data), make_margin_chart(data)}) {
            // The margin chart's three rules, named in full, need 560 px.
            if (size.width() < 560 && chart->title().startsWith("Guideline")) continue;
            const LaidOut laid_out(*chart, size);
            const std::string where = std::to_string(size.width()) + "x" +
                                      std::to_string(size.height()) + " " +
                                      chart->title().left(20).toStdString();
            for (QGraphicsTextItem* text : laid_out.texts())
                EXPECT_FALSE(cut_short(text->toPlainText()))
                    << where << ": " << text->toPlainText().toStdString();

            // The y axis' labels each have room for their own height.
            auto* y = qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical).value(0));
            ASSERT_NE(y, nullptr);
            const QStringList labels = y->categoriesLabels();
            ASSERT_GE(labels.size(), 2) << where;
            const double spacing = chart->plotArea().height() *
                                   (y->endValue(labels[1]) - y->endValue(labels[0])) /
                                   (y->max() - y->min());
            EXPECT_GE(spacing, 1.5 * QFontMetricsF(y->labelsFont()).height()) << where;
            const double title = QFontMetricsF(y->titleFont()).horizontalAdvance(y->titleText());
            EXPECT_LE(title, chart->plotArea().height())
                << where << ": " << y->titleText().toStdString();
        }
    }
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

// The lamp a mark's colour shows.
std::string mark_lamp(const MarkGroup& group) {
    const std::pair<Lamp, const char*> lamps[] = {
        {Lamp::green, "green"}, {Lamp::yellow, "yellow"}, {Lamp::red, "red"}, {Lamp::grey, "grey"}};
    for (const auto& [lamp, name] : lamps)
        if (const Rgb rgb = lamp_colour(lamp); group.colour == QColor(rgb.red, rgb.green, rgb.blue))
            return name;
    return {};
}

// The heights of the marks at X, of all three rules.
std::multiset<double> marks_at(const QChart& chart, double x) {
    std::multiset<double> ys;
    for (const MarkGroup& group : mark_groups(chart))
        for (const QPointF& p : group.values)
            if (p.x() == x) ys.insert(p.y());
    return ys;
}

TEST(MarginChart, PlotsEachMarginOverItsOwnGreenThreshold) {
    const auto chart = make_margin_chart(crossing_thresholds());
    // The fourth point sits exactly on every green threshold; the fifth has
    // 6 - 1, 2 - 5 and 9 - 3 dB.
    EXPECT_EQ(marks_at(*chart, 8), (std::multiset<double>{0.0, 0.0, 0.0}));
    EXPECT_EQ(marks_at(*chart, 10), (std::multiset<double>{5.0, -3.0, 6.0}));

    // Named as the calculator names them, in its order from the top.
    EXPECT_EQ(legend_names(*chart),
              (QStringList{"ENR - NFsa (>3dB)", "ENR - NFdut (>5dB)", "(NF+G)dut - NFsa (>1dB)"}));
    std::map<MarkShape, std::set<double>> heights;  // at x = 10, by shape
    for (const MarkGroup& group : mark_groups(*chart))
        for (const QPointF& p : group.values)
            if (p.x() == 10) heights[group.shape].insert(p.y());
    EXPECT_EQ(heights, (std::map<MarkShape, std::set<double>>{{MarkShape::circle, {5.0}},
                                                              {MarkShape::square, {-3.0}},
                                                              {MarkShape::triangle, {6.0}}}));
    EXPECT_TRUE(chart->title().contains("green threshold")) << chart->title().toStdString();
    EXPECT_EQ(chart->axes(Qt::Vertical).value(0)->titleText(), "Over green (dB)");
}

TEST(MarginChart, EveryMarkLiesInTheZoneOfItsLampsColour) {
    const auto chart = make_margin_chart(crossing_thresholds());
    const auto zones = lamp_zones(*chart);
    ASSERT_EQ(zones.size(), 3u);
    int checked = 0;
    std::set<std::string> seen;
    for (const MarkGroup& group : mark_groups(*chart)) {
        const std::string lamp = mark_lamp(group);
        ASSERT_FALSE(lamp.empty());
        if (lamp == "grey") continue;
        const Zone& zone = zones.at(lamp);
        for (const QPointF& p : group.values) {
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

namespace orlavex::charts {
namespace {

// The calculator sets its fonts in pixels; the chart titles still come out
// larger and bold, and Qt has nothing to warn about (see main.cpp).
TEST(SweepCharts, EnlargeTheirTitlesWhetherTheFontIsInPointsOrPixels) {
    const QFont original = QApplication::font();
    QFont pixels = original;
    pixels.setPixelSize(12);
    for (const QFont& font : {original, pixels}) {
        QApplication::setFont(font);
        const QChart plain;
        for (const auto& chart :
             {make_uncertainty_chart(five_points(false)), make_margin_chart(five_points(false))}) {
            const QFont title = chart->titleFont();
            EXPECT_TRUE(title.bold());
            if (plain.titleFont().pointSizeF() > 0)
                EXPECT_NEAR(title.pointSizeF(), plain.titleFont().pointSizeF() * 1.15, 0.01);
            else
                EXPECT_EQ(title.pixelSize(), qRound(plain.titleFont().pixelSize() * 1.15));
        }
    }
    QApplication::setFont(original);
}

}  // namespace
}  // namespace orlavex::charts
