// The numbers Do_Calc keeps beside its texts, and the measurement set-up the
// window implies.
#include "core/classic_figures.h"
#include "core/number_text.h"
#include "engine/measurement_setup.h"
#include "engine/recalc.h"
#include "measure/classic_uncertainty.h"
#include "measure/gum.h"
#include "measure/match.h"
#include "measure/units.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

std::string two_places(double x) {
    return format_number(x, "0.00");
}

// Every figure agrees with the text the window shows for it.
void expect_figures_match_texts(const Calculator& calc) {
    const ClassicFigures& f = calc.figures;
    const auto& text = [&](Ctl id) { return calc.form[id].text; };
    EXPECT_EQ(text(lblENR_corr), "Eff. ENR: " + format_number(f.enr_eff_db, " 0.00") + "dB");
    EXPECT_EQ(text(lblYcal), "Ycal: " + format_number(f.ycal_db, " 0.00") + " dB");
    EXPECT_EQ(text(lblYmeas), "Ymeas: " + format_number(f.ymeas_db, " 0.00") + " dB");
    EXPECT_EQ(text(lblNFdutsa), "NF(dut+sa): " + two_places(f.nf_sys_db) + " dB");
    EXPECT_EQ(text(lblNFsa), "NFsa: " + two_places(f.nf_sa_net_db) + " dB");
    EXPECT_EQ(text(txtCalON), general_text(round_to(f.cal_on_dbm, 3)));
    EXPECT_EQ(text(txtCalOFF), general_text(round_to(f.cal_off_dbm, 3)));
    EXPECT_EQ(text(txtMeasON), general_text(round_to(f.meas_on_dbm, 3)));
    EXPECT_EQ(text(txtMeasOFF), general_text(round_to(f.meas_off_dbm, 3)));
    const Ctl margins[] = {lblGL1, lblGL2, lblGL3};
    const Ctl lamps[] = {ind1, ind2, ind3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(text(margins[i]).ends_with("= " + general_text(f.margin_db[i]) + " dB"))
            << text(margins[i]);
        const std::int64_t colours[] = {kGreen, kYellow, kRed, kGrey};
        EXPECT_EQ(calc.form[lamps[i]].fillcolor, colours[static_cast<int>(f.lamp[i])]);
    }
    ASSERT_TRUE(f.rss_db.has_value());
    EXPECT_EQ(text(lblNF_unc), "+" + format_number(*f.rss_db, " 0.00") + " dB");
}

TEST(ClassicFigures, StartUpAsTheWindowShowsIt) {
    const Calculator calc = started();
    const ClassicFigures& f = calc.figures;
    EXPECT_TRUE(f.valid);
    EXPECT_FALSE(f.manual);
    ASSERT_TRUE(f.rss_db.has_value());
    EXPECT_EQ(round_to(*f.rss_db, 4), 0.1134);
    EXPECT_EQ(round_to(f.bias_db, 4), 0.2767);
    EXPECT_EQ(round_to(f.ycal_db, 2), 5.10);
    EXPECT_EQ(round_to(f.ymeas_db, 2), 7.56);
    EXPECT_EQ(round_to(f.nf_sys_db, 2), 8.28);
    EXPECT_EQ(round_to(f.nf_sa_net_db, 2), 11.50);
    EXPECT_EQ(round_to(f.enr_eff_db, 2), 15.00);
    EXPECT_EQ(f.margin_db[0], 11.5);
    EXPECT_EQ(f.margin_db[1], 7.0);
    EXPECT_EQ(f.margin_db[2], 3.5);
    for (Lamp lamp : f.lamp)
        EXPECT_EQ(lamp, Lamp::green);
    EXPECT_TRUE(f.error.empty());
    EXPECT_FALSE(f.nf_dut_db.has_value());
    expect_figures_match_texts(calc);
}

TEST(ClassicFigures, FollowTheTextsThroughOtherSetUps) {
    Calculator calc = started();
    calc.form[txtDUT_NF].text = "12.3";
    calc.form[txtDUT_Gain].text = "4";
    calc.form[txtENR].text = "13.8";
    calc.form[txtToff].text = "35";
    Do_Calc(calc);
    EXPECT_EQ(calc.figures.lamp[0], Lamp::green);
    EXPECT_EQ(calc.figures.lamp[1], Lamp::red);
    EXPECT_EQ(calc.figures.lamp[2], Lamp::yellow);
    expect_figures_match_texts(calc);

    calc.form[mnu2ndStage].checked = false;
    Do_Calc(calc);
    EXPECT_EQ(calc.form[lbl2ndStageBias].text,
              "+" + format_number(calc.figures.bias_db, " 0.00") + " dB");
    expect_figures_match_texts(calc);
}

TEST(ClassicFigures, ManualModeKeepsTheEvaluatedDut) {
    Calculator calc = started();
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    Do_Calc(calc);
    const ClassicFigures& f = calc.figures;
    EXPECT_TRUE(f.manual);
    EXPECT_TRUE(f.valid);
    ASSERT_TRUE(f.nf_dut_db && f.gain_db && f.nf_sa_db);
    EXPECT_EQ(calc.form[lblCalcNF].text, general_text(round_to(*f.nf_dut_db, 2)) + " dB");
    EXPECT_EQ(calc.form[lblCalcGain].text, general_text(round_to(*f.gain_db, 2)) + " dB");
    EXPECT_EQ(f.cal_on_dbm, calc.state.CalON);
    EXPECT_EQ(f.ymeas_db, calc.state.MeasON - calc.state.MeasOFF);
    EXPECT_TRUE(f.error.empty());
    EXPECT_TRUE(f.rss_db.has_value());
}

TEST(ClassicFigures, ManualErrorsCarryTheWindowsMessage) {
    Calculator calc = started();
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    calc.form[txtMeasOFF].text = "-80";
    Do_Calc(calc);
    const ClassicFigures& f = calc.figures;
    EXPECT_FALSE(f.valid);
    EXPECT_EQ(f.error, "Error: Meas OFF >= Meas ON");
    EXPECT_EQ(f.error, calc.form[lblError].text);
    EXPECT_FALSE(f.rss_db.has_value());
    EXPECT_FALSE(f.nf_dut_db.has_value());
    for (Lamp lamp : f.lamp)
        EXPECT_EQ(lamp, Lamp::grey);
    EXPECT_TRUE(std::isnan(f.nf_sys_db));

    // The next run starts clean.
    calc.form[chkUseManMeas].value = 0;
    Do_Calc(calc);
    EXPECT_TRUE(calc.figures.valid);
    EXPECT_TRUE(calc.figures.error.empty());
}

TEST(ClassicFigures, AnImpossibleDutLeavesNoFigures) {
    Calculator calc = started();
    calc.form[txtDUT_NF].text = "1";
    calc.form[txtDUT_Gain].text = "-3";
    Do_Calc(calc);
    const ClassicFigures& f = calc.figures;
    EXPECT_TRUE(calc.form[lblInvalidG_NF].visible);
    EXPECT_FALSE(f.valid);
    EXPECT_FALSE(f.rss_db.has_value());
    EXPECT_TRUE(std::isnan(f.ycal_db));
    EXPECT_TRUE(std::isnan(f.meas_on_dbm));
    EXPECT_EQ(f.lamp[1], Lamp::grey);
}

TEST(MeasurementSetup, StartUpSetUp) {
    const Calculator calc = started();
    const measure::MeasurementSetup s = measurement_setup(calc);
    EXPECT_EQ(s.dut_nf_db, 8.0);
    EXPECT_EQ(s.dut_gain_db, 15.0);
    EXPECT_EQ(s.enr_cal_db, 15.0);
    EXPECT_EQ(s.enr_meas_db, 15.0);
    EXPECT_EQ(s.enr_unc_db, calc.state.ENR_Unc);
    EXPECT_NEAR(s.tc_k, 290.0, 1e-12);
    EXPECT_NEAR(s.analyzer_nf_db, 11.5, 1e-12);
    EXPECT_DOUBLE_EQ(s.gamma_source, measure::reflection(1.15, true));
    EXPECT_DOUBLE_EQ(s.gamma_analyzer, measure::reflection(1.4, true));
    EXPECT_EQ(s.gamma_dut_in, 0.0);
    EXPECT_EQ(s.analyzer_nf_unc_db, calc.state.SANFUnc);
    EXPECT_EQ(s.analyzer_gain_unc_db, calc.state.SAGainUnc);
    EXPECT_TRUE(s.second_stage);
    EXPECT_FALSE(s.freq_converting);
    EXPECT_EQ(s.model.noise_bw_hz, 0.0);
    // A perfect simulated measurement of this set-up has no offset.
    EXPECT_NEAR(measure::gum_budget(s).offset_db, 0.0, 1e-12);
}

// The set-up carries what the window's classic bound is computed from.
double classic_bound_of(const measure::MeasurementSetup& s) {
    return measure::classic_uncertainty(s).rss_db.value_or(-1);
}

TEST(MeasurementSetup, FollowsPreampConversionCorrectionAndTemperature) {
    Calculator calc = started();
    calc.form[chkExtPA].value = 1;
    calc.form[txtSA_InMatch].text = "1.5";
    calc.form[chkFreqConv].value = 1;
    calc.form[txtToff].text = "40";
    calc.form[txtDUT_InMatch].text = "1.3";
    calc.form[mnu2ndStage].checked = false;
    Do_Calc(calc);
    const measure::MeasurementSetup s = measurement_setup(calc);
    // The preamplifier's input match, and its noise in front of the analyzer.
    EXPECT_DOUBLE_EQ(s.gamma_analyzer, measure::reflection(1.5, true));
    EXPECT_NEAR(s.analyzer_nf_db, 5.18, 0.005);
    EXPECT_DOUBLE_EQ(s.gamma_dut_in, measure::reflection(1.3, true));
    EXPECT_NEAR(s.tc_k, 313.15, 1e-9);
    EXPECT_TRUE(s.freq_converting);
    EXPECT_FALSE(s.second_stage);
    ASSERT_TRUE(calc.figures.rss_db.has_value());
    EXPECT_NEAR(classic_bound_of(s), *calc.figures.rss_db, 1e-12);
}

TEST(MeasurementSetup, ManualModeUsesTheMeasuredDutAndAnalyzer) {
    Calculator calc = started();
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    Do_Calc(calc);
    const measure::MeasurementSetup s = measurement_setup(calc);
    EXPECT_EQ(s.dut_nf_db, *calc.figures.nf_dut_db);
    EXPECT_EQ(s.dut_gain_db, *calc.figures.gain_db);
    EXPECT_EQ(s.analyzer_nf_db, *calc.figures.nf_sa_db);
    EXPECT_NEAR(classic_bound_of(s), *calc.figures.rss_db, 1e-12);
}

}  // namespace
}  // namespace orlavex
