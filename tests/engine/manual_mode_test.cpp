#include "engine/recalc.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

constexpr std::int64_t kRedText = 0x0000FF;

struct Levels {
    const char* cal_on;
    const char* cal_off;
    const char* meas_on;
    const char* meas_off;
};

constexpr Levels kStartupLevels = {"-108.896", "-114", "-94.663", "-102.223"};
constexpr Levels kPredictedLevels = {"-97.396", "-102.5", "-83.163", "-90.723"};

// Ticks manual entry as the mode switch leaves the window: the check box
// set and the analyzer result label shown.
Calculator manual(const Levels& levels) {
    Calculator calc = make_calculator();
    Form_Load(calc);
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    calc.form[txtCalON].text = levels.cal_on;
    calc.form[txtCalOFF].text = levels.cal_off;
    calc.form[txtMeasON].text = levels.meas_on;
    calc.form[txtMeasOFF].text = levels.meas_off;
    Do_Calc(calc);
    return calc;
}

std::int64_t back(const Calculator& calc, Ctl id) {
    return calc.form[id].backcolor;
}

void expect_backgrounds(const Calculator& calc, bool cal_on, bool cal_off, bool meas_on,
                        bool meas_off) {
    auto colour = [](bool marked) { return marked ? kLightRed : kWindowBackground; };
    EXPECT_EQ(back(calc, txtCalON), colour(cal_on));
    EXPECT_EQ(back(calc, txtCalOFF), colour(cal_off));
    EXPECT_EQ(back(calc, txtMeasON), colour(meas_on));
    EXPECT_EQ(back(calc, txtMeasOFF), colour(meas_off));
}

// What every manual-mode error leaves behind, whatever its cause.
void expect_error_end(const Calculator& calc) {
    EXPECT_EQ(calc.state.NF_Unc, 999.0);
    EXPECT_EQ(calc.form[lblNF_unc].text, "    - - -");
    EXPECT_EQ(calc.form[lbl2ndStageBias].text, "- - -");
    EXPECT_FALSE(calc.form[linMinus].visible);
    EXPECT_EQ(calc.form[lblCalcNF].text, "- - -");
    EXPECT_EQ(calc.form[lblCalcGain].text, "- - -");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "- - -");
    EXPECT_FALSE(calc.form[optSA_Noise_NF].enabled);
    EXPECT_FALSE(calc.form[optSA_Noise_DANL].enabled);
}

void expect_blank_guidelines(const Calculator& calc) {
    for (Ctl lamp : {ind1, ind2, ind3})
        EXPECT_EQ(calc.form[lamp].fillcolor, kGrey);
    for (Ctl text : {lblGL1, lblGL2, lblGL3})
        EXPECT_EQ(calc.form[text].text, "- - -");
}

TEST(ManualMode, StartupAndPredictedLevelsGiveBackTheStartupDut) {
    for (const Levels& levels : {kStartupLevels, kPredictedLevels}) {
        const Calculator calc = manual(levels);
        SCOPED_TRACE(levels.cal_on);
        EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  5.10 dB");
        EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 11.50 dB");
        EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF:  11.50dB");
        EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  7.56 dB");
        EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 8.28 dB");
        EXPECT_EQ(calc.form[lblCalcGain].text, "15 dB");
        EXPECT_EQ(calc.form[lblCalcNF].text, "8 dB");
        EXPECT_EQ(calc.form[lblCalcSANoise].text, "11.5");
        EXPECT_EQ(calc.form[lblError].text, "");
        // Derived values: gain not rounded, noise figure to five decimals.
        EXPECT_NEAR(calc.state.DUT_Gain, 14.999113682717603, 1e-9);
        EXPECT_NEAR(calc.state.DUT_NF, 8.00084, 1e-12);
        EXPECT_NEAR(calc.state.SA_Noise, 11.49961744207745, 1e-9);
        EXPECT_NEAR(calc.state.NF_Unc, 0.1134386657183436, 1e-9);
        EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.11 dB");
        EXPECT_EQ(calc.form[lblGL1].text, "(NF+G)dut - NFsa = 11.5 dB");
        EXPECT_EQ(calc.form[lblGL2].text, "ENR - NFdut = 7 dB");
        EXPECT_EQ(calc.form[lblGL3].text, "ENR - NFsa = 3.5 dB");
        for (Ctl lamp : {ind1, ind2, ind3})
            EXPECT_EQ(calc.form[lamp].fillcolor, kGreen);
        expect_backgrounds(calc, false, false, false, false);
        EXPECT_TRUE(calc.form[optSA_Noise_NF].enabled);
        EXPECT_TRUE(calc.form[optSA_Noise_DANL].enabled);
        // The levels themselves are not overwritten by a prediction.
        EXPECT_EQ(calc.form[txtCalON].text, levels.cal_on);
        EXPECT_EQ(calc.form[txtMeasOFF].text, levels.meas_off);
    }
}

TEST(ManualMode, MeasuredAnalyzerNoiseAsANoiseLevel) {
    Calculator calc = make_calculator();
    Form_Load(calc);
    calc.form[chkUseManMeas].value = 1;
    calc.form[lblCalcSANoise].visible = true;
    calc.form[optSA_Noise_NF].value = 0;
    calc.form[optSA_Noise_DANL].value = 1;
    Do_Calc(calc);
    // 11.49962 - 173.98 - 2.51 + 0.27
    EXPECT_NEAR(calc.state.SA_Noise, -164.72038255792253, 1e-9);
    EXPECT_EQ(calc.form[txtSA_Noise].text, "-164.72");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "-164.72");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 11.50 dB");
}

TEST(ManualMode, MeasurementOffNotBelowOn) {
    const Calculator calc = manual({"-97.396", "-102.5", "-90.723", "-90.723"});
    EXPECT_EQ(calc.form[lblError].text, "Error: Meas OFF >= Meas ON");
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  0.00 dB");
    EXPECT_EQ(calc.form[lblYmeas].forecolor, kRedText);
    EXPECT_EQ(calc.form[lblYcal].forecolor, 0);
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): ERROR");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  5.10 dB");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 11.50 dB");
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF: - - -");
    expect_backgrounds(calc, false, false, true, true);
    expect_blank_guidelines(calc);
    expect_error_end(calc);
    EXPECT_FALSE(calc.form[lblInvalidG_NF].visible);
}

TEST(ManualMode, CalibrationOffNotBelowOn) {
    const Calculator calc = manual({"-102.5", "-102.5", "-83.163", "-90.723"});
    EXPECT_EQ(calc.form[lblError].text, "Error: Cal OFF >= Cal ON");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  0.00 dB");
    EXPECT_EQ(calc.form[lblYcal].forecolor, kRedText);
    EXPECT_EQ(calc.form[lblYmeas].forecolor, 0);
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  7.56 dB");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 8.28 dB");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: ERROR");
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF: - - -");
    expect_backgrounds(calc, true, true, false, false);
    expect_blank_guidelines(calc);
    expect_error_end(calc);
}

TEST(ManualMode, BothYFactorsBadReportsTheCalibration) {
    const Calculator calc = manual({"-100", "-100", "-100", "-100"});
    EXPECT_EQ(calc.form[lblError].text, "Error: Cal OFF >= Cal ON");
    EXPECT_EQ(calc.form[lblYcal].forecolor, kRedText);
    EXPECT_EQ(calc.form[lblYmeas].forecolor, kRedText);
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: ERROR");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): ERROR");
    expect_backgrounds(calc, true, true, true, true);
    expect_error_end(calc);
}

TEST(ManualMode, CalibrationOffNotBelowMeasurementOff) {
    const Calculator calc = manual({"-97.396", "-102.5", "-83.163", "-102.5"});
    EXPECT_EQ(calc.form[lblError].text, "Error: Cal OFF >= Meas OFF");
    EXPECT_EQ(calc.form[lblYcal].forecolor, 0);
    EXPECT_EQ(calc.form[lblYmeas].forecolor, 0);
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  19.34 dB");
    EXPECT_EQ(calc.form[lblNFsa].text, "NFsa: 11.50 dB");
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF: - - -");
    expect_backgrounds(calc, false, true, false, true);
    expect_blank_guidelines(calc);
    expect_error_end(calc);
}

TEST(ManualMode, LevelsIndicatingANegativeDutNoiseFigure) {
    // F_dut = lin(4.36) - (lin(11.5) - 1) / lin(8.64) = 0.934: -0.298 dB.
    const Calculator calc = manual({"-97.396", "-102.5", "-90", "-101"});
    EXPECT_EQ(calc.form[lblError].text, "Error: Levels indicate NFdut < 0");
    EXPECT_NEAR(calc.state.DUT_NF, -0.29804, 1e-12);
    EXPECT_NEAR(calc.state.DUT_Gain, 8.640172299654754, 1e-9);
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 4.36 dB");
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF:  11.50dB");
    EXPECT_EQ(calc.form[lblYcal].forecolor, 0);
    EXPECT_EQ(calc.form[lblYmeas].forecolor, 0);
    expect_backgrounds(calc, true, true, true, true);
    expect_blank_guidelines(calc);
    expect_error_end(calc);
    EXPECT_FALSE(calc.form[lblInvalidG_NF].visible);
}

TEST(ManualMode, ValidLevelsAfterAnErrorClearTheMarking) {
    Calculator calc = manual({"-100", "-100", "-100", "-100"});
    ASSERT_EQ(calc.form[lblError].text, "Error: Cal OFF >= Cal ON");
    calc.form[txtCalON].text = "-97.396";
    calc.form[txtCalOFF].text = "-102.5";
    calc.form[txtMeasON].text = "-83.163";
    calc.form[txtMeasOFF].text = "-90.723";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[lblError].text, "");
    expect_backgrounds(calc, false, false, false, false);
    EXPECT_EQ(calc.form[lblYcal].forecolor, 0);
    EXPECT_EQ(calc.form[lblYmeas].forecolor, 0);
    EXPECT_TRUE(calc.form[optSA_Noise_NF].enabled);
    EXPECT_TRUE(calc.form[optSA_Noise_DANL].enabled);
    EXPECT_EQ(calc.form[lblCalcNF].text, "8 dB");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "11.5");
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.11 dB");
    EXPECT_TRUE(calc.form[linMinus].visible);
}

TEST(ManualMode, WithoutCorrectionOnlyTheSystemNoiseFigureIsDerived) {
    Calculator calc = manual(kPredictedLevels);
    mnu2ndStage_Click(calc);
    ASSERT_FALSE(calc.form[mnu2ndStage].checked);
    EXPECT_EQ(calc.form[lblError].text,
              "Uncertainty not available for manual measurement values when 2nd Stage "
              "Correction is off");
    EXPECT_EQ(calc.form[chkUseManMeas].text,
              "Enable manual entry of measurement values     (only NF(dut+sa) and Ymeas will be "
              "calculated)");
    EXPECT_EQ(calc.form[lblYmeas].text, "Ymeas:  7.56 dB");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 8.28 dB");
    expect_error_end(calc);

    mnu2ndStage_Click(calc);
    EXPECT_EQ(calc.form[lblError].text, "");
    EXPECT_EQ(calc.form[chkUseManMeas].text,
              "Enable manual entry of measurement values     (NFdut, Gdut, and NFsa will be "
              "calculated)");
    EXPECT_EQ(calc.form[lblCalcNF].text, "8 dB");
}

TEST(ManualMode, WithoutCorrectionItsMessageReplacesTheMeasurementError) {
    Calculator calc = manual({"-97.396", "-102.5", "-90.723", "-90.723"});
    mnu2ndStage_Click(calc);
    EXPECT_EQ(calc.form[lblError].text,
              "Uncertainty not available for manual measurement values when 2nd Stage "
              "Correction is off");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): ERROR");
    EXPECT_EQ(calc.form[lblYmeas].forecolor, kRedText);
    expect_backgrounds(calc, false, false, true, true);
    expect_error_end(calc);
}

TEST(ManualMode, PassiveDutWhoseRoundedNoiseFigureIsBelowItsLossHasNoUncertainty) {
    // Consistent levels of a DUT with NF 3.005003 dB and gain -3.0050001 dB:
    // the noise figure (3.00500 after five decimals) rounds to 3.00, the loss
    // to 3.01.
    const Calculator calc = manual({"-97.396", "-102.5", "-99.234949254912", "-102.499999794678"});
    EXPECT_EQ(calc.form[lblError].text, "");
    EXPECT_NEAR(calc.state.DUT_NF, 3.005, 1e-12);
    EXPECT_NEAR(calc.state.DUT_Gain, -3.0050001, 1e-8);
    EXPECT_EQ(calc.form[lblCalcNF].text, "3 dB");
    EXPECT_EQ(calc.form[lblCalcGain].text, "-3.01 dB");
    EXPECT_EQ(calc.state.NF_Unc, 999.0);
    EXPECT_EQ(calc.form[lblNF_unc].text, "    - - -");
    EXPECT_EQ(calc.form[lblGL1].text, "(NF+G)dut - NFsa = -11.5 dB");
    EXPECT_EQ(calc.form[ind1].fillcolor, kRed);
    EXPECT_EQ(calc.form[lblGL2].text, "ENR - NFdut = 12 dB");

    // A loss of 3.0049999 dB also rounds to 3.00: the uncertainty is given.
    const Calculator equal = manual({"-97.396", "-102.5", "-99.234949142538", "-102.499999780517"});
    EXPECT_EQ(equal.form[lblCalcGain].text, "-3 dB");
    EXPECT_NEAR(equal.state.NF_Unc, 2.712216601390836, 1e-6);
    EXPECT_EQ(equal.form[lblNF_unc].text, "+ 2.71 dB");
}

bool names_nan_or_inf(std::string text) {
    for (char& ch : text)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    for (const char* word : {"nan", "inf"}) {
        for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
            const bool letter_before =
                at > 0 && std::isalpha(static_cast<unsigned char>(text[at - 1]));
            const bool letter_after =
                at + 3 < text.size() && std::isalpha(static_cast<unsigned char>(text[at + 3]));
            if (!letter_before && !letter_after) return true;
        }
    }
    return false;
}

TEST(ManualMode, LevelsImplyingANonPhysicalSystemNoiseStayFinite) {
    // The calibration implies an analyzer noise figure near -99 dB; the
    // system noise factor of the uncertainty then falls to zero or below.
    Calculator calc = manual({"0", "-114", "-94.663", "-102.223"});
    EXPECT_EQ(calc.form[lblError].text, "");
    EXPECT_EQ(calc.form[lblCalcNF].text, "95.5 dB");
    EXPECT_EQ(calc.form[lblCalcGain].text, "-95.5 dB");
    EXPECT_EQ(calc.form[lblGL1].text, "(NF+G)dut - NFsa = 99 dB");
    EXPECT_TRUE(calc.state.NF_Unc == 999.0 || std::isfinite(calc.state.NF_Unc))
        << calc.state.NF_Unc;
    if (calc.state.NF_Unc != 999.0) {
        EXPECT_TRUE(std::isfinite(calc.state.NF_Bias)) << calc.state.NF_Bias;
    }
    for (int res = 0; res < 4; ++res) {
        mnuRes_Click(calc, res);
        for (std::size_t i = 0; i < control_count; ++i) {
            const Control& c = calc.form.controls[i];
            EXPECT_FALSE(names_nan_or_inf(c.text)) << layout[i].name << ": " << c.text;
            EXPECT_FALSE(names_nan_or_inf(c.tooltip)) << layout[i].name << ": " << c.tooltip;
        }
    }
}

}  // namespace
}  // namespace orlavex
