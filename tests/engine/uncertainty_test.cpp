#include "engine/recalc.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

void set_fields(Calculator& calc, std::initializer_list<std::pair<Ctl, const char*>> texts) {
    for (const auto& [id, text] : texts)
        calc.form[id].text = text;
}

struct Modes {
    bool correction;
    bool conversion;
};

void set_modes(Calculator& calc, Modes m) {
    calc.form[mnu2ndStage].checked = m.correction;
    calc.form[chkFreqConv].value = m.conversion ? 1 : 0;
}

TEST(Uncertainty, StartupValuesInAllFourModes) {
    struct Case {
        Modes modes;
        double unc;
        const char* text;
    };
    const Case cases[] = {
        {{true, false}, 0.1134389404021441, "+ 0.11 dB"},
        {{false, false}, 0.11298282499113597, "+ 0.11 dB"},
        {{true, true}, 0.12005057822425934, "+ 0.12 dB"},
        {{false, true}, 0.11942487446199221, "+ 0.12 dB"},
    };
    for (const Case& c : cases) {
        Calculator calc = started();
        set_modes(calc, c.modes);
        Do_Calc(calc);
        SCOPED_TRACE(testing::Message() << "correction " << c.modes.correction << ", conversion "
                                        << c.modes.conversion);
        EXPECT_NEAR(calc.state.NF_Unc, c.unc, 1e-10);
        EXPECT_NEAR(calc.state.NF_Bias, 0.27668668892933823, 1e-9);
        EXPECT_EQ(calc.form[lblNF_unc].text, c.text);
    }
}

TEST(Uncertainty, MismatchedDutPortsInAllFourModes) {
    // DUT input VSWR 2 meets the noise source; DUT output VSWR 1.5 meets the
    // analyzer input. Swapping the two ports must change the result.
    struct Case {
        const char* in;
        const char* out;
        Modes modes;
        double unc;
    };
    const Case cases[] = {
        {"2", "1.5", {true, false}, 0.24524777739650258},
        {"2", "1.5", {false, false}, 0.24505220319251436},
        {"2", "1.5", {true, true}, 0.2483003887221398},
        {"2", "1.5", {false, true}, 0.24801677312496775},
        {"1.5", "2", {true, false}, 0.17467128152704517},
        {"1.5", "2", {false, false}, 0.17439473174719117},
        {"1.5", "2", {true, true}, 0.17898001066488073},
        {"1.5", "2", {false, true}, 0.17858146362249733},
    };
    for (const Case& c : cases) {
        Calculator calc = started();
        set_modes(calc, c.modes);
        set_fields(calc, {{txtDUT_InMatch, c.in}, {txtDUT_OutMatch, c.out}});
        Do_Calc(calc);
        EXPECT_NEAR(calc.state.NF_Unc, c.unc, 1e-10)
            << "in " << c.in << ", out " << c.out << ", correction " << c.modes.correction
            << ", conversion " << c.modes.conversion;
    }
}

TEST(Uncertainty, ReturnLossEntriesAndLargerInstrumentUncertainties) {
    Calculator calc = started();
    calc.form[optNS_Match_VSWR].value = 0;
    calc.form[optNS_Match_RL].value = 1;
    calc.form[optDUTIn_VSWR].value = 0;
    calc.form[optDUTIn_RL].value = 1;
    set_fields(calc, {{txtNS_Match, "20"}, {txtDUT_InMatch, "14"}});
    Do_Calc(calc);
    EXPECT_NEAR(calc.state.NS_Gamma, 0.1, 1e-15);
    EXPECT_NEAR(calc.state.DUT_InGamma, 0.19952623149688797, 1e-15);
    EXPECT_NEAR(calc.state.NF_Unc, 0.2175985571659739, 1e-10);

    Calculator hi = started();
    set_fields(hi, {{txtENR_Unc, "0.2"}, {txtSANFUnc, "0.1"}, {txtSAGainUnc, "0.3"}});
    Do_Calc(hi);
    EXPECT_NEAR(hi.state.NF_Unc, 0.22563766038158872, 1e-10);
}

TEST(Uncertainty, PerfectMatchesAndNoInstrumentUncertaintyGiveZero) {
    Calculator calc = started();
    set_fields(calc, {{txtNS_Match, "1"},
                      {txtSA_InMatch, "1"},
                      {txtENR_Unc, "0"},
                      {txtSANFUnc, "0"},
                      {txtSAGainUnc, "0"}});
    Do_Calc(calc);
    EXPECT_EQ(calc.state.NF_Unc, 0.0);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 0.00 dB");
}

TEST(Uncertainty, ExternalPreampReplacesTheAnalyzerInputMatch) {
    Calculator calc = started();
    calc.form[chkExtPA].value = 1;
    calc.form[txtSA_InMatch].text = "1.5";
    Do_Calc(calc);
    EXPECT_EQ(calc.state.ExtPA_InMatch, 1.5);
    EXPECT_EQ(calc.state.SA_InMatch, 1.4);
    EXPECT_NEAR(calc.state.SA_InGamma, 0.2, 1e-15);
    EXPECT_EQ(calc.form[lblNetSANF].text, "Net Analyzer NF:  5.18dB");
    EXPECT_EQ(calc.form[lblYcal].text, "Ycal:  10.25 dB");
    EXPECT_EQ(calc.form[lblNFdutsa].text, "NF(dut+sa): 8.05 dB");
    EXPECT_NEAR(calc.state.NF_Unc, 0.11137488682838351, 1e-10);
}

TEST(Uncertainty, LosslessEqualityIsValidAndComputed) {
    // A DUT with noise figure equal to its loss passes the validity test and
    // the passive-DUT test.
    Calculator calc = started();
    set_fields(calc, {{txtDUT_NF, "3"}, {txtDUT_Gain, "-3"}});
    Do_Calc(calc);
    EXPECT_FALSE(calc.form[lblInvalidG_NF].visible);
    EXPECT_NEAR(calc.state.NF_Unc, 2.7124530267149876, 1e-9);
    EXPECT_NEAR(calc.state.NF_Bias, 11.499999999999996, 1e-9);
    EXPECT_EQ(calc.form[lblNF_unc].text, "+ 2.71 dB");
}

}  // namespace
}  // namespace orlavex
