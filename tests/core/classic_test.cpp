// The classic core on typed set-ups, checked against the Y-factor formulas
// written out here and against the catalogues, without any window.
#include "core/classic.h"
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace orlavex::core {
namespace {

double db10(double x) {
    return 10 * std::log10(x);
}
double from_db(double x) {
    return std::pow(10.0, x / 10);
}

TEST(ClassicCore, StartUpSetUpGivesTheYFactorFormulas) {
    const ClassicResult r = classic_figures(ClassicSetup{});
    // 16.85 C is 290 K: the ENR needs no correction.
    EXPECT_NEAR(r.toff_k, 290.0, 1e-12);
    EXPECT_NEAR(r.enr_eff_db, 15.0, 1e-12);
    const double enr = from_db(15), f_sa = from_db(11.5), f_dut = from_db(8), g = from_db(15);
    const double f_sys = f_dut + (f_sa - 1) / g;
    EXPECT_NEAR(r.figures.ycal_db, db10((enr + f_sa) / f_sa), 1e-9);
    EXPECT_NEAR(r.figures.nf_sys_db, db10(f_sys), 1e-9);
    EXPECT_NEAR(r.figures.ymeas_db, db10((enr + f_sys) / f_sys), 1e-9);
    EXPECT_NEAR(r.figures.bias_db, db10(f_sys) - 8, 1e-9);
    // (NF+G)dut - NFsa, ENR - NFdut, ENR - NFsa against 1, 5 and 3 dB.
    const double margins[] = {11.5, 7.0, 3.5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(r.figures.margin_db[i], margins[i]);
        EXPECT_EQ(r.figures.lamp[i], Lamp::green);
    }
    ASSERT_TRUE(r.figures.rss_db);
    EXPECT_GT(*r.figures.rss_db, 0.05);
    EXPECT_TRUE(r.figures.valid);
    // The predicted levels are the analyzer's noise in 1 MHz and the Y factors.
    EXPECT_NEAR(r.figures.cal_off_dbm, 11.5 - 174 + 60, 1e-9);
    EXPECT_NEAR(r.figures.cal_on_dbm - r.figures.cal_off_dbm, r.figures.ycal_db, 1e-9);
    EXPECT_NEAR(r.figures.meas_on_dbm - r.figures.meas_off_dbm, r.figures.ymeas_db, 1e-9);
}

TEST(ClassicCore, ManualLevelsGiveBackTheDevice) {
    ClassicSetup s;
    s.choices.manual = true;
    const ClassicResult r = classic_figures(s);
    ASSERT_EQ(r.end, ClassicEnd::complete) << r.figures.error;
    // The start-up levels are those of NFsa 11.5 dB, gain 15 dB and NF 8 dB
    // written to 3 decimals.
    EXPECT_NEAR(*r.figures.nf_sa_db, 11.5, 2e-3);
    EXPECT_NEAR(*r.figures.gain_db, 15.0, 2e-3);
    EXPECT_NEAR(*r.figures.nf_dut_db, 8.0, 5e-3);
    // The measured analyzer noise replaces the typed one.
    EXPECT_DOUBLE_EQ(r.used.values.analyzer_noise, *r.figures.nf_sa_db);
}

struct LevelCase {
    const char* what;
    double cal_on, cal_off, meas_on, meas_off;
    bool second_stage;
    ClassicEnd end;
    const char* error;
};

TEST(ClassicCore, ManualLevelsThatGiveNoResultSayWhy) {
    const LevelCase cases[] = {
        {"meas off above on", -109, -114, -103, -102, true, ClassicEnd::level_error,
         "Error: Meas OFF >= Meas ON"},
        {"cal off above on", -115, -114, -94, -102, true, ClassicEnd::level_error,
         "Error: Cal OFF >= Cal ON"},
        {"cal off above meas off", -97.396, -102.5, -83.163, -102.5, true, ClassicEnd::level_error,
         "Error: Cal OFF >= Meas OFF"},
        {"no correction", -108.896, -114, -94.663, -102.223, false, ClassicEnd::uncorrected,
         "Uncertainty not available for manual measurement values when 2nd Stage Correction "
         "is off"},
        {"noise below the analyzer's", -97.396, -102.5, -90, -101, true, ClassicEnd::level_error,
         "Error: Levels indicate NFdut < 0"},
    };
    for (const LevelCase& c : cases) {
        ClassicSetup s;
        s.choices.manual = true;
        s.choices.second_stage = c.second_stage;
        s.values.cal_on_dbm = c.cal_on;
        s.values.cal_off_dbm = c.cal_off;
        s.values.meas_on_dbm = c.meas_on;
        s.values.meas_off_dbm = c.meas_off;
        const ClassicResult r = classic_figures(s);
        EXPECT_EQ(r.end, c.end) << c.what;
        EXPECT_EQ(r.figures.error, c.error) << c.what;
        EXPECT_FALSE(r.figures.valid) << c.what;
        EXPECT_EQ(r.nf_unc_db, no_uncertainty) << c.what;
        EXPECT_EQ(r.figures.lamp[0], Lamp::grey) << c.what;
    }
}

TEST(ClassicCore, ADutBelowItsLossPredictsNothing) {
    ClassicSetup s;
    s.values.dut_nf_db = 1;
    s.values.dut_gain_db = -3;
    const ClassicResult r = classic_figures(s);
    EXPECT_EQ(r.end, ClassicEnd::invalid_dut);
    EXPECT_FALSE(r.figures.valid);
    EXPECT_TRUE(std::isnan(r.figures.ycal_db));
    EXPECT_FALSE(r.figures.rss_db);
}

struct BoundCase {
    const char* what;
    std::function<void(ClassicSetup&)> set;
    double ClassicValues::*value;
    double held;
};

TEST(ClassicCore, EveryValueIsHeldToItsRange) {
    using V = ClassicValues;
    const auto rl = [](MatchForm ClassicChoices::*form) {
        return [form](ClassicChoices& c) { c.*form = MatchForm::return_loss; };
    };
    const BoundCase cases[] = {
        {"DUT noise figure", [](ClassicSetup& s) { s.values.dut_nf_db = 150; }, &V::dut_nf_db, 100},
        {"ENR", [](ClassicSetup& s) { s.values.enr_db = 40; }, &V::enr_db, 30},
        {"off temperature", [](ClassicSetup& s) { s.values.toff_c = -300; }, &V::toff_c, -100},
        {"frequency", [](ClassicSetup& s) { s.values.freq_ghz = 0; }, &V::freq_ghz, 0.01},
        {"level kept without correction",
         [](ClassicSetup& s) {
             s.choices.second_stage = false;
             s.values.cal_off_dbm = -200;
         },
         &V::cal_off_dbm, -174},
        {"DUT input return loss, its own ceiling",
         [&](ClassicSetup& s) {
             rl (&ClassicChoices::dut_in_form)(s.choices);
             s.return_loss_max_db = 40;
             s.values.dut_in_match = 60;
         },
         &V::dut_in_match, 50},
        {"DUT output return loss",
         [&](ClassicSetup& s) {
             rl (&ClassicChoices::dut_out_form)(s.choices);
             s.return_loss_max_db = 40;
             s.values.dut_out_match = 60;
         },
         &V::dut_out_match, 40},
        {"VSWR", [](ClassicSetup& s) { s.values.source_match = 0.5; }, &V::source_match, 1},
        {"external preamp match in the analyzer's form",
         [&](ClassicSetup& s) {
             rl (&ClassicChoices::analyzer_form)(s.choices);
             s.values.ext_pa_match = 0.1;
         },
         &V::ext_pa_match, 0.5},
        {"analyzer noise as a level",
         [](ClassicSetup& s) {
             s.choices.analyzer_noise_as_nf = false;
             s.values.analyzer_noise = -100;
         },
         &V::analyzer_noise, -116.22},
    };
    for (const BoundCase& c : cases) {
        ClassicSetup s;
        c.set(s);
        EXPECT_DOUBLE_EQ(classic_figures(s).used.values.*c.value, c.held) << c.what;
    }
}

TEST(ClassicCore, CatalogueModelsFixWhatTheyKnow) {
    ClassicSetup s;
    s.choices.analyzer = catalogue::find_analyzer("Aravel-7");  // no internal preamp
    s.choices.noise_source = catalogue::find_noise_source("NS346A");
    s.choices.int_preamp = true;
    s.choices.analyzer_noise_as_nf = true;
    s.choices.source_form = MatchForm::return_loss;
    s.values.freq_ghz = 500;
    ASSERT_NE(s.choices.analyzer, nullptr);
    ASSERT_NE(s.choices.noise_source, nullptr);
    const ClassicResult r = classic_figures(s);
    const ClassicChoices& c = r.used.choices;
    EXPECT_FALSE(c.int_preamp);
    EXPECT_FALSE(c.analyzer_noise_as_nf);
    EXPECT_EQ(c.source_form, MatchForm::vswr);
    EXPECT_EQ(c.analyzer_form, MatchForm::vswr);
    // The frequency is held to the lower of the two models' limits; the
    // catalogue values are those at the frequency as given.
    const double limit = std::min(catalogue::upper_frequency(*s.choices.analyzer),
                                  catalogue::upper_frequency(*s.choices.noise_source));
    EXPECT_DOUBLE_EQ(r.freq_max_ghz, limit);
    EXPECT_DOUBLE_EQ(r.used.values.freq_ghz, limit);
    EXPECT_DOUBLE_EQ(r.used.values.analyzer_noise,
                     catalogue::analyzer_noise(*s.choices.analyzer, 500, true, false));
    EXPECT_DOUBLE_EQ(r.used.values.source_match,
                     shown_value(catalogue::output_vswr(*s.choices.noise_source, 500)));
    // "User" clears the internal preamplifier and lifts the limits.
    ClassicSetup user;
    user.choices.int_preamp = true;
    user.values.freq_ghz = 500;
    const ClassicResult u = classic_figures(user);
    EXPECT_FALSE(u.used.choices.int_preamp);
    EXPECT_DOUBLE_EQ(u.used.values.freq_ghz, 500);
}

}  // namespace
}  // namespace orlavex::core
