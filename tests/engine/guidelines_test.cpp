#include "engine/recalc.h"
#include "form/form.h"
#include "window/handlers.h"

#include "started.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

struct Lamp {
    const char* margin;
    std::int64_t colour;
};

struct Case {
    const char* dut_nf;
    const char* dut_gain;
    const char* sa_nf;
    Lamp gl1, gl2, gl3;
};

// The effective ENR at 290 K is 14.999999999999998 dB, so margins that are
// meant to sit on a threshold come out a hair below it; the lamp follows the
// margin as its text shows it.
const Case cases[] = {
    {"8", "15", "11.5", {"11.5", kGreen}, {"7", kGreen}, {"3.5", kGreen}},
    {"8", "15", "23", {"0", kYellow}, {"7", kGreen}, {"-8", kRed}},
    {"10", "15", "11.5", {"13.5", kGreen}, {"5", kGreen}, {"3.5", kGreen}},
    {"10.5", "15", "11.5", {"14", kGreen}, {"4.5", kYellow}, {"3.5", kGreen}},
    {"11", "15", "11.5", {"14.5", kGreen}, {"4", kYellow}, {"3.5", kGreen}},
    {"11.01", "15", "11.5", {"14.51", kGreen}, {"3.99", kRed}, {"3.5", kGreen}},
    {"8", "15", "12", {"11", kGreen}, {"7", kGreen}, {"3", kGreen}},
    {"8", "15", "13", {"10", kGreen}, {"7", kGreen}, {"2", kYellow}},
    {"8", "15", "13.01", {"9.99", kGreen}, {"7", kGreen}, {"1.99", kRed}},
    {"8", "4.5", "11.5", {"1", kGreen}, {"7", kGreen}, {"3.5", kGreen}},
    {"8", "4.49", "11.5", {"0.99", kYellow}, {"7", kGreen}, {"3.5", kGreen}},
    {"8", "3.49", "11.5", {"-0.01", kRed}, {"7", kGreen}, {"3.5", kGreen}},
};

TEST(Guidelines, MarginTextsAndLampColours) {
    for (const Case& c : cases) {
        Calculator calc = started();
        calc.form[txtDUT_NF].text = c.dut_nf;
        calc.form[txtDUT_Gain].text = c.dut_gain;
        calc.form[txtSA_Noise].text = c.sa_nf;
        Do_Calc(calc);
        SCOPED_TRACE(testing::Message() << "DUT " << c.dut_nf << " dB / " << c.dut_gain
                                        << " dB, analyzer " << c.sa_nf << " dB");
        EXPECT_EQ(calc.form[lblGL1].text,
                  std::string("(NF+G)dut - NFsa = ") + c.gl1.margin + " dB");
        EXPECT_EQ(calc.form[lblGL2].text, std::string("ENR - NFdut = ") + c.gl2.margin + " dB");
        EXPECT_EQ(calc.form[lblGL3].text, std::string("ENR - NFsa = ") + c.gl3.margin + " dB");
        EXPECT_EQ(calc.form[ind1].fillcolor, c.gl1.colour);
        EXPECT_EQ(calc.form[ind2].fillcolor, c.gl2.colour);
        EXPECT_EQ(calc.form[ind3].fillcolor, c.gl3.colour);
    }
}

TEST(Guidelines, RecolouredAfterABlankedRun) {
    Calculator calc = started();
    calc.form[txtDUT_Gain].text = "-10";
    Do_Calc(calc);
    ASSERT_EQ(calc.form[ind2].fillcolor, kGrey);
    calc.form[txtDUT_Gain].text = "15";
    calc.form[txtDUT_NF].text = "11";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[lblGL2].text, "ENR - NFdut = 4 dB");
    EXPECT_EQ(calc.form[ind1].fillcolor, kGreen);
    EXPECT_EQ(calc.form[ind2].fillcolor, kYellow);
}

TEST(BlankGuidelines, GreysTheLampsAndBlanksTheTexts) {
    Calculator calc = started();
    Blank_Guidelines(calc);
    for (Ctl lamp : {ind1, ind2, ind3})
        EXPECT_EQ(calc.form[lamp].fillcolor, kGrey);
    for (Ctl text : {lblGL1, lblGL2, lblGL3})
        EXPECT_EQ(calc.form[text].text, "- - -");
    EXPECT_EQ(calc.form[lblGoal1].text, ">1dB");
    EXPECT_EQ(calc.form[lblGoal2].text, ">5dB");
    EXPECT_EQ(calc.form[lblGoal3].text, ">3dB");
}

}  // namespace
}  // namespace orlavex
