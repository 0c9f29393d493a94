#include "measure/classic_uncertainty.h"

#include "measure/match.h"
#include "measure/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orlavex::measure {
namespace {

// The calculator's start-up set-up: DUT 8 dB / 15 dB, analyzer 11.5 dB,
// source VSWR 1.15, analyzer VSWR 1.4, ENR uncertainty 0.1 dB.
MeasurementSetup startup() {
    MeasurementSetup in;
    in.dut_nf_db = 8;
    in.dut_gain_db = 15;
    in.analyzer_nf_db = 11.5;
    in.gamma_source = reflection(1.15, true);
    in.gamma_analyzer = reflection(1.4, true);
    in.enr_unc_db = 0.1;
    in.analyzer_nf_unc_db = 0.05;
    in.analyzer_gain_unc_db = 0.15;
    return in;
}

TEST(ClassicUncertainty, StartUpBoundAndOffset) {
    const ClassicUncertainty u = classic_uncertainty(startup());
    ASSERT_TRUE(u.rss_db.has_value());
    EXPECT_NEAR(*u.rss_db, 0.113438940402144, 1e-14);
    EXPECT_NEAR(u.bias_db, db(lin(8) + (lin(11.5) - 1) / lin(15)) - 8, 1e-14);
}

TEST(ClassicUncertainty, EachSourceAndSwitchMovesTheBound) {
    const double base = *classic_uncertainty(startup()).rss_db;
    MeasurementSetup converting = startup();
    converting.freq_converting = true;
    EXPECT_GT(*classic_uncertainty(converting).rss_db, base);
    MeasurementSetup mismatched = startup();
    mismatched.gamma_dut_in = 0.3;
    EXPECT_GT(*classic_uncertainty(mismatched).rss_db, base);
    MeasurementSetup worse_enr = startup();
    worse_enr.enr_unc_db = 0.3;
    EXPECT_GT(*classic_uncertainty(worse_enr).rss_db, base);
    // The offset does not depend on the correction switch.
    MeasurementSetup uncorrected = startup();
    uncorrected.second_stage = false;
    const ClassicUncertainty off = classic_uncertainty(uncorrected);
    EXPECT_NE(*off.rss_db, base);
    EXPECT_EQ(off.bias_db, classic_uncertainty(startup()).bias_db);
}

TEST(ClassicUncertainty, NoBoundWithoutAPositiveSystemNoiseFactor) {
    MeasurementSetup in = startup();
    in.dut_nf_db = 0;
    in.dut_gain_db = -10;
    // F_sys = 1 + (0.5 - 1) / 0.1 = -4
    const ClassicUncertainty u = classic_uncertainty(in, 0.5);
    EXPECT_FALSE(u.rss_db.has_value());
    EXPECT_EQ(u.bias_db, 0.0);
}

TEST(ClassicUncertainty, AnEnormousBoundStopsAtTheThousandDecibelCap) {
    // A 100 dB loss in front of a 60 dB analyzer: the sensitivities are
    // astronomical, each term counts as 1000 dB and the bound stays a number
    // (the window shows ">100 dB").
    MeasurementSetup in = startup();
    in.dut_gain_db = -100;
    in.dut_nf_db = 100;
    in.analyzer_nf_db = 60;
    const ClassicUncertainty u = classic_uncertainty(in);
    ASSERT_TRUE(u.rss_db.has_value());
    EXPECT_NEAR(*u.rss_db, 1000 + db(std::sqrt(3.0)), 1e-6);
}

}  // namespace
}  // namespace orlavex::measure
