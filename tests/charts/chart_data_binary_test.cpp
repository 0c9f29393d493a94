// The binary form orlavex-plot reads for --plot gives back what the JSON
// gives, field for field; an input cut anywhere, overlong or with an
// unknown lamp is refused rather than drawn.
#include "charts/chart_data_binary.h"
#include "charts/chart_data_json.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace orlavex::charts {
namespace {

SweepChartData sample(int count, bool log_x) {
    SweepChartData data;
    data.title = "DUT, \"quoted\" title – ±U";
    data.x_label = "Frequency";
    data.x_unit = log_x ? "" : "GHz";
    data.log_x = log_x;
    data.band_edges = {3.6, 8.4, 12.4};
    data.setup = R"({"inputs":{"analyzer":"Aravel-3"},"enr_table":"réf <1>.enr"})";
    for (int i = 0; i < count; ++i) {
        ChartPoint p;
        p.x = 1 + 0.017 * i;
        if (i % 5 != 1) p.expanded_db = 0.25 + 1e-3 * i;  // gaps of every kind
        if (i % 7 != 2) p.rss_db = 0.11 - 1e-4 * i;
        if (i % 3 == 0) {
            p.mc_lo_db = -0.24;
            p.mc_hi_db = std::nextafter(0.27, 1.0);
        }
        for (std::size_t g = 0; g < 3; ++g) {
            if ((i + static_cast<int>(g)) % 4 != 0) p.margin_db[g] = 9.0 - 0.01 * i - g;
            p.lamp[g] = static_cast<Lamp>((i + static_cast<int>(g)) % 4);
        }
        p.held = i % 6 == 5;
        if (i % 4 == 1) p.bias_db = -0.58 + 1e-3 * i;
        data.points.push_back(p);
    }
    return data;
}

// A measurement of COUNT frequencies, every figure missing somewhere.
SweepChartData measured_sample(int count) {
    SweepChartData data = sample(0, false);
    for (int i = 0; i < count; ++i) {
        MeasuredChartPoint p{.x = 1 + 0.5 * i};
        if (i % 4 != 1) p.nf_db = 2.9 + 1e-3 * i;
        if (i % 5 != 2) p.gain_db = std::nextafter(20.0, 21.0) - 0.01 * i;
        if (i % 3 != 0) p.expanded_db = 0.11 + 1e-4 * i;
        if (i % 6 != 4) {
            p.planned_nf_db = 3.0;
            p.planned_gain_db = 19.99;
            p.planned_expanded_db = 0.1 + 1e-5 * i;
        }
        data.measured.push_back(p);
    }
    return data;
}

void expect_same(const SweepChartData& a, const SweepChartData& b) {
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.x_label, b.x_label);
    EXPECT_EQ(a.x_unit, b.x_unit);
    EXPECT_EQ(a.log_x, b.log_x);
    EXPECT_EQ(a.band_edges, b.band_edges);
    EXPECT_EQ(a.setup, b.setup);
    ASSERT_EQ(a.points.size(), b.points.size());
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        const ChartPoint &p = a.points[i], &q = b.points[i];
        EXPECT_EQ(p.x, q.x);
        EXPECT_EQ(p.expanded_db, q.expanded_db);
        EXPECT_EQ(p.rss_db, q.rss_db);
        EXPECT_EQ(p.mc_lo_db, q.mc_lo_db);
        EXPECT_EQ(p.mc_hi_db, q.mc_hi_db);
        EXPECT_EQ(p.margin_db, q.margin_db);
        EXPECT_EQ(p.lamp, q.lamp);
        EXPECT_EQ(p.held, q.held);
        EXPECT_EQ(p.bias_db, q.bias_db);
    }
    ASSERT_EQ(a.measured.size(), b.measured.size());
    for (std::size_t i = 0; i < a.measured.size(); ++i) {
        SCOPED_TRACE("measured point " + std::to_string(i));
        const MeasuredChartPoint &p = a.measured[i], &q = b.measured[i];
        EXPECT_EQ(p.x, q.x);
        EXPECT_EQ(p.nf_db, q.nf_db);
        EXPECT_EQ(p.gain_db, q.gain_db);
        EXPECT_EQ(p.expanded_db, q.expanded_db);
        EXPECT_EQ(p.planned_nf_db, q.planned_nf_db);
        EXPECT_EQ(p.planned_gain_db, q.planned_gain_db);
        EXPECT_EQ(p.planned_expanded_db, q.planned_expanded_db);
    }
}

TEST(ChartDataBinary, GivesBackWhatTheJsonGives) {
    for (const auto& [count, log_x] :
         {std::pair{0, false}, std::pair{1, true}, std::pair{1001, false}}) {
        SCOPED_TRACE(std::to_string(count) + " points");
        const SweepChartData data = sample(count, log_x);
        const std::string bytes = to_binary(data);
        ASSERT_TRUE(is_binary_chart_data(bytes));
        const SweepChartData back = from_binary(bytes);
        expect_same(back, data);
        expect_same(back, from_json_text(to_json_text(data)));
    }
    for (int count : {1, 13}) {
        SCOPED_TRACE(std::to_string(count) + " measured points");
        const SweepChartData data = measured_sample(count);
        const SweepChartData back = from_binary(to_binary(data));
        expect_same(back, data);
        expect_same(back, from_json_text(to_json_text(data)));
        EXPECT_TRUE(is_measured(back));
    }
    EXPECT_FALSE(is_binary_chart_data(to_json_text(sample(3, false))));
}

TEST(ChartDataBinary, RefusesWhatItDidNotWrite) {
    const std::string whole = to_binary(sample(4, false));
    for (std::size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE("cut at " + std::to_string(length));
        EXPECT_THROW(from_binary(whole.substr(0, length)), ChartDataError);
    }
    // The first point's first lamp follows the strings, the flag, the band
    // edges, the count and the point's nine values; the count of measured
    // points (none) ends the data.
    std::size_t lamp = whole.size() - 8 - 4 * (9 * sizeof(double) + 4) + 9 * sizeof(double);
    std::string unknown_lamp = whole;
    unknown_lamp[lamp] = 4;
    std::string huge_count = to_binary(sample(0, false));
    const std::uint64_t many = std::numeric_limits<std::uint64_t>::max() / 2;
    huge_count.replace(huge_count.size() - sizeof many, sizeof many,
                       reinterpret_cast<const char*>(&many), sizeof many);
    struct Case {
        const char* what;
        std::string bytes;
    };
    for (const Case& c :
         {Case{"a byte after the last point", whole + '\0'}, Case{"an unknown lamp", unknown_lamp},
          Case{"more points than bytes", huge_count}, Case{"JSON", to_json_text(sample(2, false))},
          Case{"another version", "orlavex-chart-data 1\n" + whole.substr(21)},
          Case{
              "measured points cut short",
              to_binary(measured_sample(3)).substr(0, to_binary(measured_sample(3)).size() - 8)}}) {
        SCOPED_TRACE(c.what);
        EXPECT_THROW(from_binary(c.bytes), ChartDataError);
    }
    unknown_lamp[lamp] = 3;  // grey, the last lamp there is
    EXPECT_EQ(from_binary(unknown_lamp).points[0].lamp[0], Lamp::grey);
}

}  // namespace
}  // namespace orlavex::charts
