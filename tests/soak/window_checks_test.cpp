// The soak tool's checks: a freshly started window passes them, and each
// kind of corruption a session could leave behind is caught.
#include "window_checks.h"
#include "drive/driver.h"
#include "engine/controls.h"

#include <gtest/gtest.h>

#include <limits>

namespace orlavex::soak {
namespace {

using enum Ctl;

Calculator started() {
    return Driver().calculator();
}

TEST(WindowChecks, AFreshWindowPassesEveryCheck) {
    EXPECT_EQ(check_window(started(), true), "");
}

TEST(WindowChecks, BadNumbersInTextsAndToolTipsAreCaught) {
    Calculator calc = started();
    calc.form[lblNF_unc].text = "+nan dB";
    EXPECT_NE(check_no_bad_numbers(calc), "");
    calc = started();
    calc.form[txtFreq].tooltip = "Range: 0.01 to inf GHz";
    EXPECT_NE(check_no_bad_numbers(calc), "");
    calc = started();
    calc.form[txtMeasON].text = "-INF";
    EXPECT_NE(check_no_bad_numbers(calc), "");
}

TEST(WindowChecks, MenusNeedExactlyOneCheckedItemAndAMatchingLabel) {
    Calculator calc = started();
    calc.form[item(mnuAravel, 0)].checked = true;  // beside "User Defined"
    EXPECT_NE(check_menus(calc), "");
    calc = started();
    calc.form[mnuNSuser].checked = false;
    EXPECT_NE(check_menus(calc), "");
    calc = started();
    calc.form[item(mnuRes, 3)].checked = true;
    EXPECT_NE(check_menus(calc), "");
    calc = started();
    calc.form[lblSAsel].text = "Somebody Else";
    EXPECT_NE(check_menus(calc), "");
}

TEST(WindowChecks, UncertaintyIsFiniteAndNonNegativeOrTheMarker) {
    Calculator calc = started();
    for (double bad : {-0.5, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        calc.state.NF_Unc = bad;
        EXPECT_NE(check_uncertainty(calc), "") << bad;
    }
    calc.state.NF_Unc = no_uncertainty;
    EXPECT_EQ(check_uncertainty(calc), "");
}

TEST(WindowChecks, HeightAgreesWithTheManualFrames) {
    Calculator calc = started();
    calc.form.height = 6000;
    EXPECT_NE(check_height(calc), "");
    calc.form.height = extended_height;  // frames still hidden
    EXPECT_NE(check_height(calc), "");
    calc.form[frmCal].visible = true;
    calc.form[frmMeas].visible = true;
    EXPECT_EQ(check_height(calc), "");
}

TEST(WindowChecks, FocusMustBeOnAControlTheUserCanReach) {
    Calculator calc = started();
    calc.form.focus = txtCalON;  // disabled until manual entry
    EXPECT_NE(check_focus(calc), "");
    calc.form.focus = txtFreq2;  // hidden without frequency conversion
    EXPECT_NE(check_focus(calc), "");
    calc.form.focus = cmdOK;
    EXPECT_NE(check_focus(calc), "");
    calc.form.focus = Ctl::none;
    EXPECT_EQ(check_focus(calc), "");
}

TEST(WindowChecks, FieldsMustShowTheirValuesAfterARecalculation) {
    Calculator calc = started();
    calc.form[txtENR].text = "15.0";  // reads as 15, but is not written so
    EXPECT_NE(check_fields_after_recalculation(calc), "");
    EXPECT_EQ(check_window(calc, false), "") << "only after a recalculation";
    calc = started();
    calc.state.DUT_NF = 123;  // written back, yet above its range
    set_text(calc, txtDUT_NF, "123");
    EXPECT_NE(check_fields_after_recalculation(calc), "");
    calc = started();
    calc.state.DUT_Gain = 14.996;  // shown with two decimals
    set_text(calc, txtDUT_Gain, "15");
    EXPECT_EQ(check_fields_after_recalculation(calc), "");
}

}  // namespace
}  // namespace orlavex::soak
