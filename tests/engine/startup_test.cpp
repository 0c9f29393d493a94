#include "engine/state.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

TEST(StartupValues, SetsTheTwentyOneInputsAndNothingElse) {
    CalcState s;
    s.RL_Max = 7;
    s.FormReady = 1;
    s.NF_Unc = 3;
    s.ToffK = 4;
    set_startup_values(s);
    EXPECT_EQ(s.DUT_InMatch, 1.0);
    EXPECT_EQ(s.DUT_OutMatch, 1.0);
    EXPECT_EQ(s.NS_Match, 1.15);
    EXPECT_EQ(s.SA_InMatch, 1.4);
    EXPECT_EQ(s.ExtPA_InMatch, 1.5);
    EXPECT_EQ(s.ENR_Unc, 0.1);
    EXPECT_EQ(s.SA_Noise, 11.5);
    EXPECT_EQ(s.Freq, 1.0);
    EXPECT_EQ(s.Freq2, 2.0);
    EXPECT_EQ(s.DUT_Gain, 15.0);
    EXPECT_EQ(s.ENR, 15.0);
    EXPECT_EQ(s.Toff, 16.85);
    EXPECT_EQ(s.CalON, -108.896);
    EXPECT_EQ(s.CalOFF, -114.0);
    EXPECT_EQ(s.MeasON, -94.663);
    EXPECT_EQ(s.MeasOFF, -102.223);
    EXPECT_EQ(s.DUT_NF, 8.0);
    EXPECT_EQ(s.ExtPA_Gain, 20.0);
    EXPECT_EQ(s.ExtPA_NF, 5.0);
    EXPECT_EQ(s.SAGainUnc, 0.15);
    EXPECT_EQ(s.SANFUnc, 0.05);
    EXPECT_EQ(s.RL_Max, 7.0);
    EXPECT_EQ(s.FormReady, 1);
    EXPECT_EQ(s.NF_Unc, 3.0);
    EXPECT_EQ(s.ToffK, 4.0);
}

TEST(FormLoad, WindowLimitsAndFocus) {
    const Calculator calc = started();
    EXPECT_EQ(calc.form.caption, "Korvanti Orlavex 3.30");
    EXPECT_EQ(calc.form.height, 5480);
    EXPECT_TRUE(calc.form.key_preview);
    EXPECT_EQ(calc.state.VersionText, "3.30");
    EXPECT_EQ(calc.state.VersionDate, "January 2019");
    EXPECT_EQ(calc.state.RL_Max, 50.0);
    EXPECT_EQ(calc.state.SA_FreqMax, 999.0);
    EXPECT_EQ(calc.state.NS_FreqMax, 999.0);
    EXPECT_EQ(calc.state.FreqMax, 999.0);
    EXPECT_EQ(calc.state.FormReady, 1);
    EXPECT_EQ(calc.form.focus, txtDUT_NF);
    EXPECT_EQ(calc.form[txtDUT_NF].selstart, 0);
    EXPECT_EQ(calc.form[txtDUT_NF].sellength, 1);  // "8" selected
    EXPECT_TRUE(calc.form[mnu2ndStage].checked);
    EXPECT_FALSE(calc.form[mnuRes].checked);
    EXPECT_TRUE(calc.form[mnuRes_1].checked);
    EXPECT_FALSE(calc.form[mnuRes_2].checked);
    EXPECT_FALSE(calc.form[mnuRes_3].checked);
}

TEST(FormLoad, FieldsShowStartupValuesAndPredictedLevels) {
    const Calculator calc = started();
    const std::pair<Ctl, const char*> expected[] = {
        {txtDUT_InMatch, "1"},  {txtDUT_OutMatch, "1"},  {txtNS_Match, "1.15"},
        {txtENR_Unc, "0.1"},    {txtSA_Noise, "11.5"},   {txtFreq, "1"},
        {txtFreq2, "2"},        {txtDUT_NF, "8"},        {txtDUT_Gain, "15"},
        {txtExtPA_Gain, "20"},  {txtExtPA_NF, "5"},      {txtSAGainUnc, "0.15"},
        {txtSANFUnc, "0.05"},   {txtSA_InMatch, "1.4"},  {txtENR, "15"},
        {txtToff, "16.85"},     {txtCalON, "-97.396"},   {txtCalOFF, "-102.5"},
        {txtMeasON, "-83.163"}, {txtMeasOFF, "-90.723"},
    };
    for (const auto& [id, text] : expected) {
        EXPECT_EQ(calc.form[id].text, text) << layout_row(id).name;
        EXPECT_TRUE(calc.form[id].centred) << layout_row(id).name;
    }
    EXPECT_TRUE(calc.form[lblCalcNF].centred);
    EXPECT_TRUE(calc.form[lblCalcGain].centred);
    EXPECT_EQ(calc.form[lblCalcNF].text, "8 dB");
    EXPECT_EQ(calc.form[lblCalcGain].text, "15 dB");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "11.5");
    EXPECT_NEAR(calc.state.CalON, -97.39626444146252, 1e-9);
    EXPECT_NEAR(calc.state.CalOFF, -102.5, 1e-9);
    EXPECT_NEAR(calc.state.MeasON, -83.16263953391413, 1e-9);
    EXPECT_NEAR(calc.state.MeasOFF, -90.72331331107065, 1e-9);
}

TEST(FormLoad, DerivedState) {
    const Calculator calc = started();
    EXPECT_EQ(calc.state.ToffK, 290.0);
    EXPECT_NEAR(calc.state.NS_Gamma, 0.15 / 2.15, 1e-15);
    EXPECT_NEAR(calc.state.SA_InGamma, 0.4 / 2.4, 1e-15);
    EXPECT_EQ(calc.state.DUT_InGamma, 0.0);
    EXPECT_EQ(calc.state.DUT_OutGamma, 0.0);
    EXPECT_NEAR(calc.state.NF_Unc, 0.1134389404021441, 1e-9);
    EXPECT_NEAR(calc.state.NF_Bias, 0.27668668892933823, 1e-9);
}

}  // namespace
}  // namespace orlavex
