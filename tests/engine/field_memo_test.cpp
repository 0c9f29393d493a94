// The recalculation remembers what it read from and wrote into each entry
// field; a text changed since, or a new decimal separator, must still be
// read and written as if nothing were remembered.
#include "engine/recalc.h"

#include "started.h"

#include <gtest/gtest.h>

namespace orlavex {
namespace {

using enum Ctl;
using test_support::started;

TEST(FieldMemo, ATextChangedSinceIsReadAndRewritten) {
    Calculator calc = started();
    ASSERT_EQ(calc.form[txtDUT_NF].text, "8");
    // The same value in another form: rewritten in the number-to-text form.
    calc.form[txtDUT_NF].text = "8.00";
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtDUT_NF].text, "8");
    calc.form[txtDUT_NF].text = "9";
    Do_Calc(calc);
    EXPECT_EQ(calc.state.DUT_NF, 9.0);
    // And back to the text last written: read as it reads.
    calc.form[txtDUT_NF].text = "8";
    Do_Calc(calc);
    EXPECT_EQ(calc.state.DUT_NF, 8.0);
    EXPECT_EQ(calc.form[txtDUT_NF].text, "8");
}

TEST(FieldMemo, ANewSeparatorRewritesEveryDecimal) {
    Calculator calc = started();
    ASSERT_EQ(calc.form[txtNS_Match].text, "1.15");
    calc.form.decimal_separator = ',';
    Do_Calc(calc);
    EXPECT_EQ(calc.form[txtNS_Match].text, "1,15");
    recalculate_figures(calc);
    EXPECT_EQ(calc.form[txtNS_Match].text, "1,15");
    calc.form.decimal_separator = '.';
    recalculate_figures(calc);
    EXPECT_EQ(calc.form[txtNS_Match].text, "1.15");
}

}  // namespace
}  // namespace orlavex
