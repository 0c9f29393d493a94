// Readings files: what a good file gives, and every way a file can be bad
// giving one FileError naming the line.
#include "datafiles/readings_file.h"
#include "datafiles/file_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::datafiles {
namespace {

double mw(double dbm) {
    return std::pow(10.0, dbm / 10);
}

struct GoodFile {
    std::string_view why;
    std::string text;
    std::vector<double> freqs_ghz;
    std::vector<std::size_t> counts;  // readings per frequency
    LevelsMw first;                   // the first reading, mW
    bool calibration = true;
};

TEST(ReadingsFile, GoodFilesGiveTheirPointsAndLevels) {
    const GoodFile cases[] = {
        {"columns in order, dBm",
         "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n1,-100,-95,-90,-80\n"
         "2,-101,-96,-91,-81\n",
         {1, 2},
         {1, 1},
         {mw(-100), mw(-95), mw(-90), mw(-80)}},
        {"shuffled columns, W and mW, comments, CR LF",
         "# bench 3\r\nmeas_on_mw, FREQ_GHZ, cal_off_W, meas_off_dbm, cal_on_mw\r\n\r\n"
         "2e-8, 1.5, 1e-13, -90, 3e-10 # first\r\n",
         {1.5},
         {1},
         {1e-10, 3e-10, mw(-90), 2e-8}},
        {"repeated readings grouped by frequency",
         "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n1,-100,-95,-90,-80\n"
         "1,-100.1,-95,-90,-80\n1,-100,-95,-90,-80\n3,-100,-95,-90,-80\n3,-100,-95,-90,-80\n",
         {1, 3},
         {3, 2},
         {mw(-100), mw(-95), mw(-90), mw(-80)}},
        {"no calibration columns",
         "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n",
         {1},
         {1},
         {1, 1, mw(-90), mw(-80)},
         false},
        {"calibration columns left empty on every row",
         "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n1,,,-90,-80\n2, , ,-91,-81\n",
         {1, 2},
         {1, 1},
         {1, 1, mw(-90), mw(-80)},
         false},
    };
    for (const GoodFile& c : cases) {
        SCOPED_TRACE(c.why);
        const Readings r = parse_readings(c.text, "r.csv");
        ASSERT_EQ(r.points.size(), c.freqs_ghz.size());
        EXPECT_EQ(r.has_calibration, c.calibration);
        EXPECT_EQ(r.repeated, c.counts.front() > 1);
        for (std::size_t i = 0; i < r.points.size(); ++i) {
            EXPECT_EQ(r.points[i].freq_ghz, c.freqs_ghz[i]);
            EXPECT_EQ(r.points[i].readings.size(), c.counts[i]);
        }
        for (std::size_t level = 0; level < 4; ++level) {
            EXPECT_NEAR(r.points[0].readings[0][level] / c.first[level], 1, 1e-13) << level;
        }
    }
}

TEST(ReadingsFile, AConvertingDutKeepsItsOutputFrequency) {
    const Readings r = parse_readings(
        "freq_ghz,freq2_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n"
        "10,1.5,-100,-95,-90,-80\n11,1.5,-100,-95,-90,-80\n",
        "r.csv");
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[1].freq2_ghz, 1.5);
    EXPECT_EQ(r.points[1].line, 3);
}

TEST(ReadingsFile, WhatEachReadingStandsForIsKept) {
    const Readings r = parse_readings(
        "freq_ghz,meas_off_dbm,meas_on_dbm,tau_s,noise_bw_hz\n"
        "1,-90,-80,0.5,4e6\n2,-90,-80,0.5,4e6\n",
        "r.csv");
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[1].noise_bw_hz, 4e6);
    EXPECT_EQ(r.points[1].tau_s, 0.5);
    EXPECT_FALSE(parse_readings("freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,-80\n", "r.csv")
                     .points[0]
                     .noise_bw_hz);
}

struct BadFile {
    std::string_view why;
    std::string text;
    std::string what;
};

constexpr std::string_view header = "freq_ghz,cal_off_dbm,cal_on_dbm,meas_off_dbm,meas_on_dbm\n";

TEST(ReadingsFile, BadFilesNameTheLine) {
    const std::string h(header);
    const BadFile cases[] = {
        {"empty", "",
         "r.csv: no header: expected columns freq_ghz, cal_off_dbm, cal_on_dbm, "
         "meas_off_dbm, meas_on_dbm (levels in _dbm, _mw or _w; optional freq2_ghz)"},
        {"header only", h + "# none\n", "r.csv: no readings after the header"},
        {"unknown column", "freq_ghz,meas_off_dbm,meas_on_dbm,temp_k\n",
         "r.csv:1: unknown column 'temp_k': expected columns freq_ghz, cal_off_dbm, cal_on_dbm, "
         "meas_off_dbm, meas_on_dbm (levels in _dbm, _mw or _w; optional freq2_ghz)"},
        {"unknown unit", "freq_ghz,meas_off_dbuv,meas_on_dbm\n",
         "r.csv:1: unknown unit in column 'meas_off_dbuv': expected a level in _dbm, _mw or _w"},
        {"frequency not in GHz", "freq_mhz,meas_off_dbm,meas_on_dbm\n",
         "r.csv:1: unknown unit in column 'freq_mhz': expected freq_ghz"},
        {"column twice", "freq_ghz,meas_off_dbm,meas_on_dbm,meas_on_mw\n",
         "r.csv:1: column 'meas_on_mw' given twice"},
        {"no frequency", "meas_off_dbm,meas_on_dbm\n",
         "r.csv:1: no freq_ghz column: expected columns freq_ghz, cal_off_dbm, cal_on_dbm, "
         "meas_off_dbm, meas_on_dbm (levels in _dbm, _mw or _w; optional freq2_ghz)"},
        {"half the calibration", "freq_ghz,cal_on_dbm,meas_off_dbm,meas_on_dbm\n",
         "r.csv:1: cal_off and cal_on columns go together: give both or neither"},
        {"a level missing", h + "1,-100,-95,-90,-80\n2,-100,,-90,-80\n",
         "r.csv:3: a value is missing: expected a number in every column"},
        {"a column short", h + "1,-100,-95,-90\n",
         "r.csv:2: expected 5 values as the header names, found 4"},
        {"not finite", h + "1,-100,-95,nan,-80\n",
         "r.csv:2: expected a finite number, found 'nan'"},
        {"dBm beyond a double", "freq_ghz,meas_off_dbm,meas_on_dbm\n1,-90,4000\n",
         "r.csv:2: expected a power above 0 and within range, found 4000"},
        {"no power in W", "freq_ghz,meas_off_w,meas_on_w\n1,0,1e-9\n",
         "r.csv:2: expected a power above 0 and within range, found 0"},
        {"frequency 0", h + "0,-100,-95,-90,-80\n",
         "r.csv:2: expected a frequency above 0 GHz, found 0"},
        {"falling frequency", h + "2,-100,-95,-90,-80\n1,-100,-95,-90,-80\n",
         "r.csv:3: frequencies must rise: 1 GHz after 2 GHz (repeated readings of a frequency go "
         "one after the other)"},
        {"a frequency read again later",
         h + "1,-100,-95,-90,-80\n1,-100,-95,-90,-80\n2,-100,-95,-90,-80\n2,-10,-9,-9,-8\n"
             "1,-100,-95,-90,-80\n",
         "r.csv:6: frequencies must rise: 1 GHz after 2 GHz (repeated readings of a frequency go "
         "one after the other)"},
        {"calibration's source on below its off", h + "1,-100,-95,-90,-80\n2,-100,-101,-90,-80\n",
         "r.csv:3: cal_on_dbm -101 is not above cal_off_dbm -100: a source-on level must be above "
         "its source-off level (a Y factor above 1)"},
        {"a measured Y factor of 1 in a repeated reading",
         "freq_ghz,meas_off_mw,meas_on_mw\n1,2e-9,3e-9\n1,2e-9,2e-9\n",
         "r.csv:3: meas_on_mw 2e-9 is not above meas_off_mw 2e-9: a source-on level must be above "
         "its source-off level (a Y factor above 1)"},
        {"single then repeated", h + "1,-100,-95,-90,-80\n2,-100,-95,-90,-80\n2,-100,-95,-90,-80\n",
         "r.csv:3: a mixture of single and repeated readings: 2 GHz is read more than once, 1 "
         "GHz once"},
        {"repeated then single",
         h + "1,-100,-95,-90,-80\n1,-100,-95,-90,-80\n# gap\n2,-100,-95,-90,-80\n",
         "r.csv:5: a mixture of single and repeated readings: 2 GHz is read once, 1 GHz more "
         "than once"},
        {"output frequency changes within a frequency",
         "freq_ghz,freq2_ghz,meas_off_dbm,meas_on_dbm\n10,1,-90,-80\n10,1.1,-90,-80\n",
         "r.csv:3: freq2_ghz differs from the readings before it at the same freq_ghz"},
        {"noise bandwidth without its time", "freq_ghz,meas_off_dbm,meas_on_dbm,noise_bw_hz\n",
         "r.csv:1: noise_bw_hz and tau_s columns go together: give both or neither"},
        {"integration time in ms", "freq_ghz,meas_off_dbm,meas_on_dbm,noise_bw_hz,tau_ms\n",
         "r.csv:1: unknown unit in column 'tau_ms': expected tau_s"},
        {"no integration time",
         "freq_ghz,meas_off_dbm,meas_on_dbm,noise_bw_hz,tau_s\n1,-90,-80,1e6,0\n",
         "r.csv:2: expected an integration time above 0 s, found 0"},
        {"noise bandwidth changes within a frequency",
         "freq_ghz,meas_off_dbm,meas_on_dbm,noise_bw_hz,tau_s\n1,-90,-80,1e6,1\n1,-90,-80,2e6,1\n",
         "r.csv:3: noise_bw_hz or tau_s differs from the readings before it at the same freq_ghz"},
        {"binary data", h + "1,-100,-95,-90,-80\n\x01\x02\n", "r.csv:3: "},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.why);
        try {
            parse_readings(c.text, "r.csv");
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& e) {
            // Binary data is the line reader's to describe: only where is checked.
            if (c.what.ends_with(": ")) {
                EXPECT_TRUE(std::string(e.what()).starts_with(c.what)) << e.what();
            } else {
                EXPECT_EQ(std::string(e.what()), c.what);
            }
        }
    }
}

TEST(ReadingsFile, ACalibrationFileHoldsTheCalibrationLevelsAlone) {
    const Readings r = parse_readings(
        "# cal 3\ncal_on_mw,freq_ghz,cal_off_dbm\n3e-10,1,-100\n3.2e-10,1,-100.2\n"
        "4e-10,2.5,-99\n4e-10,2.5,-99\n",
        "cal.csv", ReadingsColumns::calibration);
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_TRUE(r.has_calibration && r.repeated);
    EXPECT_EQ(r.points[1].freq_ghz, 2.5);
    EXPECT_EQ(r.points[1].line, 5);
    ASSERT_EQ(r.points[0].readings.size(), 2u);
    const LevelsMw second = r.points[0].readings[1];
    EXPECT_NEAR(second[cal_off] / mw(-100.2), 1, 1e-13);
    EXPECT_NEAR(second[cal_on] / 3.2e-10, 1, 1e-13);
    EXPECT_EQ(second[meas_off], 1);
    EXPECT_EQ(second[meas_on], 1);
}

TEST(ReadingsFile, BadCalibrationFilesNameTheLine) {
    const std::string cal = "freq_ghz,cal_off_dbm,cal_on_dbm\n";
    const std::string expected =
        "expected columns freq_ghz, cal_off_dbm, cal_on_dbm (levels in _dbm, _mw or _w)";
    const BadFile cases[] = {
        {"empty", "", "cal.csv: no header: " + expected},
        {"a measurement column", "freq_ghz,cal_off_dbm,cal_on_dbm,meas_on_dbm\n",
         "cal.csv:1: a calibration file has no column 'meas_on_dbm': " + expected},
        {"an output frequency", "freq_ghz,freq2_ghz,cal_off_dbm,cal_on_dbm\n",
         "cal.csv:1: a calibration file has no column 'freq2_ghz': " + expected},
        {"no source-on level", "freq_ghz,cal_off_dbm\n",
         "cal.csv:1: cal_off and cal_on columns are required: " + expected},
        {"a level left empty", cal + "1,-100,-95\n2,,\n",
         "cal.csv:3: a value is missing: expected a number in every column"},
        {"falling frequency", cal + "2,-100,-95\n1,-100,-95\n",
         "cal.csv:3: frequencies must rise: 1 GHz after 2 GHz (repeated readings of a frequency "
         "go one after the other)"},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.why);
        try {
            parse_readings(c.text, "cal.csv", ReadingsColumns::calibration);
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), c.what);
        }
    }
}

TEST(ReadingsFile, CalibrationCellsAreEmptyOnEveryRowOrOnNone) {
    const std::string h(header);
    const BadFile cases[] = {
        {"given, then empty", h + "1,-100,-95,-90,-80\n2,,,-90,-80\n",
         "r.csv:3: the calibration levels are given on some rows and left empty on others: give "
         "them on every row or on none"},
        {"empty, then given", h + "1,,,-90,-80\n# gap\n2,-100,-95,-90,-80\n",
         "r.csv:4: the calibration levels are given on some rows and left empty on others: give "
         "them on every row or on none"},
        {"half a pair empty", h + "1,,-95,-90,-80\n",
         "r.csv:2: a value is missing: expected a number in every column"},
        {"a measured level empty", h + "1,,,,-80\n",
         "r.csv:2: a value is missing: expected a number in every column"},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.why);
        try {
            parse_readings(c.text, "r.csv");
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()), c.what);
        }
    }
}

TEST(ReadingsFile, AMissingFileIsNamed) {
    try {
        read_readings("/nonexistent/readings.csv");
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "/nonexistent/readings.csv");
        EXPECT_EQ(e.line(), 0);
    }
}

}  // namespace
}  // namespace orlavex::datafiles
