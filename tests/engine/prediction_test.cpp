#include "engine/recalc.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

Calculator recalculated(std::initializer_list<std::pair<Ctl, const char*>> texts) {
    Calculator calc = started();
    for (const auto& [id, text] : texts)
        calc.form[id].text = text;
    Do_Calc(calc);
    return calc;
}

void use_return_loss(Calculator& calc, Ctl vswr, Ctl rl) {
    calc.form[vswr].value = 0;
    calc.form[rl].value = 1;
}

void use_noise_level(Calculator& calc) {
    calc.form[optSA_Noise_NF].value = 0;
    calc.form[optSA_Noise_DANL].value = 1;
}

TEST(Temperatures, OffTemperatureInKelvinAndFahrenheit) {
    const Calculator calc = recalculated({{txtToff, "26.85"}});
    EXPECT_EQ(calc.form[lblToff].text, "Toff:  300.0K (80.3F)");
    EXPECT_DOUBLE_EQ(calc.state.ToffK, 300.0);
    EXPECT_EQ(calc.form[lblENR_corr].text, "Eff. ENR:  15.00dB");
}

TEST(Temperatures, TwentyDegreesLowerTheEffectiveEnr) {
    const Calculator calc = recalculated({{txtToff, "20"}});
    EXPECT_DOUBLE_EQ(calc.state.ToffK, 293.15);
    // 293.15 K is shown to one decimal as a spreadsheet rounds it.
    EXPECT_EQ(calc.form[lblToff].text, "Toff:  293.2K (68.0F)");
    EXPECT_EQ(calc.form[lblENR_corr].text, "Eff. ENR:  15.00dB");
}

TEST(Temperatures, PonUsesTheNominalEnrAndTonTheEffectiveOne) {
    const Calculator calc = recalculated({{txtToff, "99.85"}});
    EXPECT_EQ(calc.form[lblToff].text, "Toff:  373.0K (211.7F)");
    EXPECT_EQ(calc.form[lblENR_corr].text, "Eff. ENR:  14.96dB");
    EXPECT_EQ(calc.form[lblGL2].text, "ENR - NFdut = 6.96 dB");
    EXPECT_EQ(calc.form[lblGL3].text, "ENR - NFsa = 3.46 dB");
    EXPECT_EQ(calc.form[lblNSPon].text, "Pon: kTB+15.14dB");
    // Ton = ToffK + 290 lin(ENR_eff) = 290 (lin(ENR) + 1) whatever Toff.
    EXPECT_EQ(calc.form[lblTon].text, "Ton:  9460.6K");
}

TEST(Prediction, EffectiveEnrOfTwentyDegreesReachesTheYFactors) {
    Calculator hot = recalculated({{txtToff, "20"}, {txtENR, "5"}});
    Calculator ref = recalculated({{txtENR, "5"}});
    // db(lin(5) + (290 - 293.15)/290) = 4.98506 dB.
    EXPECT_EQ(ref.form[lblENR_corr].text, "Eff. ENR:  5.00dB");
    EXPECT_EQ(hot.form[lblENR_corr].text, "Eff. ENR:  4.99dB");
    EXPECT_EQ(hot.form[lblGL2].text, "ENR - NFdut = -3.01 dB");
    EXPECT_EQ(ref.form[lblGL2].text, "ENR - NFdut = -3 dB");
}

TEST(Prediction, EmptiedEnrFieldEndsShowingTheBoundedZero) {
    const Calculator calc = recalculated({{txtENR, ""}});
    EXPECT_EQ(calc.state.ENR, 0.0);
    EXPECT_EQ(calc.form[txtENR].text, "0");
    EXPECT_EQ(calc.form[lblENR_corr].text, "Eff. ENR:  0.00dB");
    EXPECT_EQ(calc.form[lblNSPon].text, "Pon: kTB+3.01dB");
    EXPECT_EQ(calc.form[lblTon].text, "Ton:  580.0K");
}

TEST(Prediction, EmptiedFieldsReadAsZeroThenBound) {
    const Calculator calc = recalculated({{txtFreq, ""}, {txtToff, ""}, {txtDUT_Gain, ""}});
    EXPECT_EQ(calc.form[txtFreq].text, "0.01");
    EXPECT_EQ(calc.form[txtToff].text, "0");
    EXPECT_DOUBLE_EQ(calc.state.ToffK, 273.15);
    EXPECT_EQ(calc.form[lblToff].text.substr(0, 11), "Toff:  273.");
    EXPECT_EQ(calc.form[txtDUT_Gain].text, "0");
    EXPECT_EQ(calc.state.DUT_Gain, 0.0);
}

TEST(Prediction, NoiseLevelIsConvertedToANoiseFigure) {
    Calculator calc = started();
    use_noise_level(calc);
    calc.form[txtSA_Noise].text = "-150";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtSA_Noise].tooltip, "DANL Range: -176.22 to -116.22 dBm/Hz");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "-150");
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF:  26.22dB");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 26.22 dB");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  0.32 dB");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 12.91 dB");
    EXPECT_EQ(calc.form[txtCalOFF].text, "-87.78");
    EXPECT_EQ(calc.form[txtCalON].text, "-87.464");
    EXPECT_EQ(calc.form[txtMeasOFF].text, "-86.095");
    EXPECT_EQ(calc.form[txtMeasON].text, "-81.912");
    EXPECT_EQ(calc.form[lblGL3].text, "ENR - NFsa = -11.22 dB");
}

TEST(Prediction, NoiseLevelIsBoundedToItsRange) {
    for (const auto& [typed, shown] :
         {std::pair{"-200", "-176.22"}, std::pair{"-100", "-116.22"}}) {
        Calculator calc = started();
        use_noise_level(calc);
        calc.form[txtSA_Noise].text = typed;
        Do_Calc(calc);
        EXPECT_EQ(calc.form[txtSA_Noise].text, shown) << typed;
    }
    const Calculator nf = recalculated({{txtSA_Noise, "70"}});
    EXPECT_EQ(nf.form[txtSA_Noise].text, "60");
    EXPECT_EQ(nf.form[txtSA_Noise].tooltip, "NF Range: 0 to 60 dB");
}

TEST(Prediction, ExternalPreampInFrontOfTheAnalyzer) {
    Calculator calc = started();
    calc.form[chkExtPA].value = 1;
    calc.form[txtSA_InMatch].text = "1.5";
    Do_Calc(calc);
    // F = lin(5) + (lin(11.5) - 1) / lin(20) = 3.2935, 5.18 dB.
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 5.18 dB");
    EXPECT_EQ(calc.form[txtSA_InMatch].text, "1.5");
    EXPECT_EQ(calc.form[lblGL1].text, "(NF+G)dut - NFsa = 17.82 dB");
    EXPECT_EQ(calc.form[lblGL3].text, "ENR - NFsa = 9.82 dB");
}

TEST(Bounding, InputsAreClampedAndWrittenBack) {
    struct Case {
        Ctl field;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {txtDUT_NF, "150", "100"},   {txtDUT_Gain, "-250", "-100"}, {txtDUT_Gain, "120", "100"},
        {txtFreq, "0", "0.01"},      {txtFreq, "500", "500"},       {txtFreq, "1200", "999"},
        {txtFreq2, "1000", "999"},   {txtExtPA_Gain, "60", "50"},   {txtExtPA_NF, "41", "40"},
        {txtSAGainUnc, "2", "1"},    {txtSANFUnc, "1.5", "1"},      {txtENR_Unc, "9", "5"},
        {txtENR, "40", "30"},        {txtToff, "150", "100"},       {txtToff, "-150", "-100"},
        {txtNS_Match, "0.5", "1"},   {txtSA_InMatch, "40", "35"},   {txtDUT_InMatch, "36", "35"},
        {txtDUT_OutMatch, "0", "1"}, {txtDUT_NF, "-2", "0"},        {txtNS_Match, "1,25", "1.25"},
    };
    for (const Case& c : cases) {
        const Calculator calc = recalculated({{c.field, c.typed}});
        EXPECT_EQ(calc.form[c.field].text, c.shown) << layout_row(c.field).name << " = " << c.typed;
    }
}

TEST(Bounding, ReturnLossUpToFiftyDecibels) {
    Calculator calc = started();
    use_return_loss(calc, optDUTOut_VSWR, optDUTOut_RL);
    use_return_loss(calc, optDUTIn_VSWR, optDUTIn_RL);
    calc.form[txtDUT_OutMatch].text = "60";
    calc.form[txtDUT_InMatch].text = "0.2";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtDUT_OutMatch].text, "50");
    EXPECT_EQ(calc.form[txtDUT_InMatch].text, "0.5");
    EXPECT_EQ(calc.form[txtDUT_OutMatch].tooltip, "Range: 0.5 to 50 dB");
    EXPECT_EQ(calc.form[txtDUT_InMatch].tooltip, "Range: 0.5 to 50 dB");
    EXPECT_EQ(calc.form[txtNS_Match].tooltip, "Range: 1 to 35");
    EXPECT_NEAR(calc.state.DUT_OutGamma, 0.0031622776601683794, 1e-15);
    EXPECT_NEAR(calc.state.DUT_InGamma, 0.9440608762859234, 1e-14);
}

TEST(Bounding, ReturnLossCeilingFollowsRlMaxExceptAtTheDutInput) {
    Calculator calc = started();
    calc.state.RL_Max = 40;
    for (auto [vswr, rl] :
         {std::pair{optDUTIn_VSWR, optDUTIn_RL}, std::pair{optDUTOut_VSWR, optDUTOut_RL},
          std::pair{optNS_Match_VSWR, optNS_Match_RL},
          std::pair{optSA_InMatch_VSWR, optSA_InMatch_RL}})
        use_return_loss(calc, vswr, rl);
    for (Ctl field : {txtDUT_InMatch, txtDUT_OutMatch, txtNS_Match, txtSA_InMatch})
        calc.form[field].text = "45";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtDUT_InMatch].text, "45");
    EXPECT_EQ(calc.form[txtDUT_OutMatch].text, "40");
    EXPECT_EQ(calc.form[txtNS_Match].text, "40");
    EXPECT_EQ(calc.form[txtSA_InMatch].text, "40");
    EXPECT_EQ(calc.form[txtSA_InMatch].tooltip, "Range: 0.5 to 40 dB");
}

TEST(Bounding, LevelsAreClampedWhereThePredictionKeepsThem) {
    // Without second-stage correction the prediction leaves the calibration
    // levels alone, so their bounded values stay visible.
    Calculator calc = started();
    calc.form[mnu2ndStage].checked = false;
    calc.form[txtCalON].text = "5";
    calc.form[txtCalOFF].text = "-180";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtCalON].text, "0");
    EXPECT_EQ(calc.form[txtCalOFF].text, "-174");
}

TEST(FrequencyConversion, ToolTipsAndLimit) {
    Calculator calc = started();
    calc.form[chkFreqConv].value = 1;
    calc.form[txtFreq].text = "700";
    Do_Calc(calc);
    EXPECT_EQ(calc.state.FreqMax, 999.0);
    EXPECT_EQ(calc.form[txtFreq].text, "700");
    EXPECT_EQ(calc.form[txtFreq].tooltip, "Freq only relevant if Noise Source selected");
    EXPECT_EQ(calc.form[txtFreq2].tooltip, "Freq only relevant if Spectrum Analyzer selected");
}

TEST(Prediction, WithoutCorrectionOnlyTheMeasurementLevelsArePredicted) {
    Calculator calc = started();
    calc.form[mnu2ndStage].checked = false;
    calc.form[txtSA_Noise].text = "13";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtCalON].text, "-97.396");
    EXPECT_EQ(calc.form[txtCalOFF].text, "-102.5");
    EXPECT_EQ(calc.form[txtMeasOFF].text, "-90.606");
    EXPECT_EQ(calc.form[txtMeasON].text, "-83.142");
    EXPECT_NEAR(calc.state.NF_Unc, 0.11411257226866256, 1e-10);
    EXPECT_EQ(calc.form[lbl2ndStageBias].text, "+ 0.39 dB");

    Calculator on = recalculated({{txtSA_Noise, "13"}});
    EXPECT_EQ(on.form[txtCalON].text, "-96.876");
    EXPECT_EQ(on.form[txtCalOFF].text, "-101");
    EXPECT_EQ(on.form[txtMeasOFF].text, "-90.606");
    EXPECT_EQ(on.form[txtMeasON].text, "-83.142");
}

TEST(Prediction, DutValuesAreComputedWithTheTwoDecimalsTheFieldsShow) {
    const Calculator ref = started();
    const Calculator calc =
        recalculated({{txtDUT_NF, "8.004"}, {txtDUT_Gain, "14.996"}, {txtSA_Noise, "11.504"}});
    EXPECT_EQ(calc.form[txtDUT_NF].text, "8");
    EXPECT_EQ(calc.form[txtDUT_Gain].text, "15");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "11.5");
    EXPECT_EQ(calc.state.DUT_NF, 8.0);
    EXPECT_EQ(calc.state.DUT_Gain, 15.0);
    EXPECT_NEAR(calc.state.NF_Unc, ref.state.NF_Unc, 1e-12);
    EXPECT_NEAR(calc.state.NF_Bias, ref.state.NF_Bias, 1e-12);
    EXPECT_NEAR(calc.state.MeasOFF, ref.state.MeasOFF, 1e-12);
}

TEST(Validity, LossBeyondTheNoiseFigureIsInvalid) {
    Calculator calc = recalculated({{txtDUT_NF, "3"}, {txtDUT_Gain, "-3.5"}});
    EXPECT_TRUE(calc.form[lblInvalidG_NF].visible);
    for (Ctl level : {txtCalON, txtCalOFF, txtMeasON, txtMeasOFF})
        EXPECT_EQ(calc.form[level].text, "- - -") << layout_row(level).name;
    for (Ctl lamp : {ind1, ind2, ind3})
        EXPECT_EQ(calc.form[lamp].fillcolor, kGrey);
    for (Ctl text : {lblGL1, lblGL2, lblGL3})
        EXPECT_EQ(calc.form[text].text, "- - -");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal: - - -");
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas: - - -");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: - - -");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): - - -");
    EXPECT_FALSE(calc.form[chkUseManMeas].enabled);
    EXPECT_EQ(calc.state.NF_Unc, 999.0);
    EXPECT_EQ(calc.form[lblNF_unc].text, "    - - -");
    EXPECT_FALSE(calc.form[linMinus].visible);
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF:  11.50dB");

    // Back to a valid DUT: everything returns.
    calc.form[txtDUT_Gain].text = "-3";
    Do_Calc(calc);
    EXPECT_FALSE(calc.form[lblInvalidG_NF].visible);
    EXPECT_TRUE(calc.form[chkUseManMeas].enabled);
    EXPECT_EQ(calc.form[txtCalOFF].text, "-102.5");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 14.50 dB");
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  3.27 dB");
    EXPECT_EQ(calc.form[txtMeasOFF].text, "-102.5");
    EXPECT_EQ(calc.form[txtMeasON].text, "-99.233");
    EXPECT_TRUE(calc.form[linMinus].visible);
}

TEST(Validity, InvalidSetUpOutsideManualModeLeavesTheManualLabels) {
    Calculator calc = recalculated({{txtDUT_NF, "3"}, {txtDUT_Gain, "-3.5"}});
    EXPECT_EQ(calc.form[lblCalcNF].text, "3 dB");
    EXPECT_EQ(calc.form[lblCalcGain].text, "-3.5 dB");
    EXPECT_TRUE(calc.form[optSA_Noise_NF].enabled);
    EXPECT_TRUE(calc.form[optSA_Noise_DANL].enabled);
}

TEST(Locale, CommaSeparatorInFieldsAndLabels) {
    Calculator calc = started();
    calc.form.decimal_separator = ',';
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtNS_Match].text, "1,15");
    EXPECT_EQ(calc.form[txtToff].text, "16,85");
    EXPECT_EQ(calc.form[txtCalON].text, "-97,396");
    EXPECT_EQ(calc.form[lblToff].text, "Toff:  290,0K (62,3F)");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  5,10 dB");
    EXPECT_EQ(calc.form[lblGL3].text, "ENR - NFsa = 3,5 dB");
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0,11 dB");
    // Read back, the comma texts give the same values.
    Do_Calc(calc);
    EXPECT_EQ(calc.state.NS_Match, 1.15);
    EXPECT_EQ(calc.state.Toff, 16.85);
    EXPECT_NEAR(calc.state.NF_Unc, 0.1134389404021441, 1e-9);
}

}  // namespace
}  // namespace orlavex
