// The description the CLI hands orlavex-plot survives the trip through
// JSON; malformed data is refused with a reason.
#include "charts/chart_data_json.h"
#include "charts/image_format.h"

#include <gtest/gtest.h>

namespace orlavex::charts {
namespace {

SweepChartData sample() {
    SweepChartData data;
    data.title = "DUT, \"quoted\" title";
    data.x_label = "Frequency (GHz)";
    data.x_unit = "";
    data.log_x = true;
    data.band_edges = {3.6, 8.4};
    ChartPoint full;
    full.x = 1.5;
    full.expanded_db = 0.25;
    full.rss_db = 0.11;
    full.mc_lo_db = -0.24;
    full.mc_hi_db = 0.27;
    full.margin_db = {9.0, 4.5, -1.0};
    full.lamp = {Lamp::green, Lamp::yellow, Lamp::red};
    full.held = true;
    full.bias_db = -0.58;
    ChartPoint empty;  // out of range: nothing but x
    empty.x = 30;
    data.points = {full, empty};
    data.setup = R"({"inputs":{"analyzer":"Aravel-3"},"enr_table":"r\u00e9f <1> & \"2\".enr"})";
    return data;
}

TEST(ChartDataJson, RoundTripsEveryFieldAndEveryGap) {
    const SweepChartData data = sample();
    const SweepChartData back = from_json_text(to_json_text(data));
    EXPECT_EQ(back.title, data.title);
    EXPECT_EQ(back.x_label, data.x_label);
    EXPECT_TRUE(back.log_x);
    EXPECT_EQ(back.band_edges, data.band_edges);
    EXPECT_EQ(back.setup, data.setup);
    ASSERT_EQ(back.points.size(), 2u);
    const ChartPoint& p = back.points[0];
    EXPECT_EQ(p.x, 1.5);
    EXPECT_EQ(p.expanded_db, 0.25);
    EXPECT_EQ(p.rss_db, 0.11);
    EXPECT_EQ(p.mc_lo_db, -0.24);
    EXPECT_EQ(p.mc_hi_db, 0.27);
    EXPECT_EQ(p.margin_db, data.points[0].margin_db);
    EXPECT_EQ(p.lamp, data.points[0].lamp);
    EXPECT_TRUE(p.held);
    EXPECT_EQ(p.bias_db, -0.58);
    const ChartPoint& gap = back.points[1];
    EXPECT_FALSE(gap.expanded_db || gap.rss_db || gap.mc_lo_db || gap.mc_hi_db || gap.bias_db);
    EXPECT_FALSE(gap.margin_db[0] || gap.margin_db[1] || gap.margin_db[2]);
    EXPECT_EQ(gap.lamp[2], Lamp::grey);
    EXPECT_FALSE(gap.held);
}

TEST(ChartDataJson, RefusesMalformedData) {
    for (const char* bad : {
             "",
             "{\"points\": []}",                                // no x_label
             "{\"x_label\": \"f\", \"points\": [{\"x\": 1}]}",  // no margins
             "{\"x_label\": \"f\", \"points\": [{\"x\": 1, \"margins_db\": [1, 2], "
             "\"lamps\": [\"green\", \"green\"]}]}",  // two of three
             "{\"x_label\": \"f\", \"points\": [{\"x\": 1, \"margins_db\": [1, 2, 3], "
             "\"lamps\": [\"green\", \"blue\", \"red\"]}]}",  // no such lamp
             "{\"x_label\": \"f\", \"points\": [{\"x\": 1, \"margins_db\": [1, 2, 3], "
             "\"lamps\": [\"green\", \"green\", \"red\"], \"held\": \"yes\"}]}",  // not a flag
             "{\"x_label\": \"f\", \"points\": [{\"x\": 1, \"U_db\": \"big\", \"margins_db\": "
             "[1, 2, 3], \"lamps\": [\"green\", \"green\", \"red\"]}]}",  // text for a number
         }) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(from_json_text(bad), ChartDataError);
    }
}

TEST(ChartData, RatesAPointByItsWorstLamp) {
    ChartPoint p;
    p.lamp = {Lamp::green, Lamp::green, Lamp::green};
    EXPECT_EQ(worst_lamp(p), Lamp::green);
    p.lamp = {Lamp::green, Lamp::grey, Lamp::green};
    EXPECT_EQ(worst_lamp(p), Lamp::grey);
    p.lamp = {Lamp::yellow, Lamp::grey, Lamp::green};
    EXPECT_EQ(worst_lamp(p), Lamp::yellow);
    p.lamp = {Lamp::yellow, Lamp::grey, Lamp::red};
    EXPECT_EQ(worst_lamp(p), Lamp::red);
}

TEST(ImageFormat, FollowsTheExtensionInAnyCase) {
    EXPECT_EQ(image_format_of("a/b/sweep.png"), ImageFormat::png);
    EXPECT_EQ(image_format_of("SWEEP.PNG"), ImageFormat::png);
    EXPECT_EQ(image_format_of("x.Svg"), ImageFormat::svg);
    EXPECT_FALSE(image_format_of("sweep.jpg"));
    EXPECT_FALSE(image_format_of("png"));
    EXPECT_FALSE(image_format_of("dir.png/sweep"));
}

}  // namespace
}  // namespace orlavex::charts
