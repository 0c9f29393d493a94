#include "engine/fields.h"
#include "engine/recalc.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

TEST(Resolution, EachItemSetsTheDecimalsOfTheResult) {
    const char* expected[] = {"+ 0.1 dB", "+ 0.11 dB", "+ 0.113 dB", "+ 0.1134 dB"};
    Calculator calc = started();
    for (int index : {3, 0, 2, 1}) {
        mnuRes_Click(calc, index);
        EXPECT_EQ(calc.form[lblNF_unc].text, expected[index]) << "item " << index;
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(calc.form[item(mnuRes, k)].checked, k == index) << index << ", item " << k;
        EXPECT_TRUE(calc.form[linMinus].visible);
    }
}

TEST(Resolution, ChangingItDoesNotRecalculate) {
    Calculator calc = started();
    calc.form[txtDUT_NF].text = "20";
    mnuRes_Click(calc, 3);
    EXPECT_EQ(calc.state.DUT_NF, 8.0);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.1134 dB");
    mnuRes_Click(calc, 3);
    EXPECT_TRUE(calc.form[item(mnuRes, 3)].checked);
}

TEST(Resolution, NoItemCheckedWritesTheGeneralForm) {
    Calculator calc = started();
    for (int k = 0; k < 4; ++k)
        calc.form[item(mnuRes, k)].checked = false;
    DisplayNFunc(calc);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+0.113438940402144 dB");
}

TEST(SecondStageCorrection, OffShowsTheOffsetAndItsOwnUncertainty) {
    Calculator calc = started();
    mnu2ndStage_Click(calc);
    ASSERT_FALSE(calc.form[mnu2ndStage].checked);
    EXPECT_EQ(calc.form[lbl2ndStageBias].text, "+ 0.28 dB");
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.11 dB");
    EXPECT_NEAR(calc.state.NF_Unc, 0.11298282499113597, 1e-10);
    mnuRes_Click(calc, 3);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.1130 dB");
    EXPECT_EQ(calc.form[lbl2ndStageBias].text, "+ 0.2767 dB");
    mnuRes_Click(calc, 0);
    EXPECT_EQ(calc.form[lbl2ndStageBias].text, "+ 0.3 dB");

    mnu2ndStage_Click(calc);
    EXPECT_TRUE(calc.form[mnu2ndStage].checked);
    EXPECT_NEAR(calc.state.NF_Unc, 0.1134389404021441, 1e-10);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.1 dB");
}

TEST(DisplayNFunc, UnavailableLargeAndBorderlineUncertainties) {
    struct Case {
        double unc;
        bool correction;
        const char* unc_text;
        const char* bias_text;  // nullptr: left as it was
        bool minus_visible;
    };
    const Case cases[] = {
        {999, true, "    - - -", "- - -", false},
        {999, false, "    - - -", "- - -", false},
        {150, true, ">100 dB", "+ 0.28 dB", false},
        {150, false, ">100 dB", "+ 0.28 dB", false},
        {100, true, ">100 dB", "+ 0.28 dB", false},
        {99.99, true, "+ 99.99 dB", nullptr, true},
        {99.99, false, "+ 99.99 dB", "+ 0.28 dB", true},
        {0.1134, true, "+ 0.11 dB", nullptr, true},
    };
    for (const Case& c : cases) {
        Calculator calc = started();
        calc.form[mnu2ndStage].checked = c.correction;
        calc.form[lbl2ndStageBias].text = "earlier";
        calc.form[linMinus].visible = !c.minus_visible;
        calc.state.NF_Unc = c.unc;
        calc.state.NF_Bias = 0.2767;
        DisplayNFunc(calc);
        SCOPED_TRACE(testing::Message() << c.unc << ", correction " << c.correction);
        EXPECT_EQ(calc.form[lblNF_unc].text, c.unc_text);
        EXPECT_EQ(calc.form[lbl2ndStageBias].text, c.bias_text ? c.bias_text : "earlier");
        EXPECT_EQ(calc.form[linMinus].visible, c.minus_visible);
    }
}

TEST(UpdateTextBoxes, RoundsWhereItShouldAndMirrorsTheDutValues) {
    Calculator calc = started();
    calc.state.DUT_NF = 0.125;
    calc.state.DUT_Gain = -3.004999;
    calc.state.SA_Noise = -164.71999999999997;
    calc.state.CalON = -108.8964;
    calc.state.MeasOFF = -102.0625;
    calc.state.NS_Match = 1.123456789;
    calc.state.Freq = 0.1 + 0.2;
    calc.form[optSA_Noise_NF].enabled = false;
    calc.form[optSA_Noise_DANL].enabled = false;
    Update_text_boxes(calc);
    EXPECT_EQ(calc.form[txtDUT_NF].text, "0.12");
    EXPECT_EQ(calc.form[lblCalcNF].text, "0.12 dB");
    EXPECT_EQ(calc.form[txtDUT_Gain].text, "-3");
    EXPECT_EQ(calc.form[lblCalcGain].text, "-3 dB");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "-164.72");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "-164.72");
    EXPECT_EQ(calc.form[txtCalON].text, "-108.896");
    EXPECT_EQ(calc.form[txtMeasOFF].text, "-102.062");  // tie to the even digit
    EXPECT_EQ(calc.form[txtNS_Match].text, "1.123456789");
    EXPECT_EQ(calc.form[txtFreq].text, "0.3");
    EXPECT_TRUE(calc.form[optSA_Noise_NF].enabled);
    EXPECT_TRUE(calc.form[optSA_Noise_DANL].enabled);
}

TEST(UpdateTextBoxes, AnalyzerInputFieldFollowsTheExternalPreamp) {
    Calculator calc = started();
    calc.state.SA_InMatch = 1.3;
    calc.state.ExtPA_InMatch = 1.7;
    calc.form[chkExtPA].value = 1;
    Update_text_boxes(calc);
    EXPECT_EQ(calc.form[txtSA_InMatch].text, "1.7");
    calc.form[chkExtPA].value = 0;
    Update_text_boxes(calc);
    EXPECT_EQ(calc.form[txtSA_InMatch].text, "1.3");
}

TEST(CommaHandler, ReadsEveryFieldByTheNumberRule) {
    Calculator calc = started();
    calc.form[txtENR].text = "14,5";
    calc.form[txtToff].text = " 2 0";
    calc.form[txtDUT_Gain].text = "abc";
    calc.form[txtMeasOFF].text = "-9e1";
    calc.form[txtSA_InMatch].text = "1,7";
    calc.form[chkExtPA].value = 1;
    comma_handler(calc);
    EXPECT_EQ(calc.state.ENR, 14.5);
    EXPECT_EQ(calc.state.Toff, 20.0);
    EXPECT_EQ(calc.state.DUT_Gain, 0.0);
    EXPECT_EQ(calc.state.MeasOFF, -90.0);
    EXPECT_EQ(calc.state.ExtPA_InMatch, 1.7);
    EXPECT_EQ(calc.state.SA_InMatch, 1.4);
    EXPECT_EQ(calc.form[txtToff].text, " 2 0");  // nothing written back

    calc.form[chkExtPA].value = 0;
    calc.form[txtSA_InMatch].text = "1.2";
    comma_handler(calc);
    EXPECT_EQ(calc.state.SA_InMatch, 1.2);
    EXPECT_EQ(calc.state.ExtPA_InMatch, 1.7);
}

}  // namespace
}  // namespace orlavex
