// Switching the analyzer noise between a level and a noise figure converts
// whatever number the field holds, through the measurement library's
// conversion.
#include "engine/controls.h"
#include "measure/analyzer_noise.h"
#include "window/user_actions.h"

#include "../engine/started.h"

#include <gtest/gtest.h>

namespace orlavex {
namespace {

using enum Ctl;

TEST(NoiseFormat, ConvertsBothWaysAsTheLibraryDoes) {
    Calculator calc = test_support::started();
    ASSERT_TRUE(is_selected(calc, optSA_Noise_NF));
    ASSERT_EQ(calc.form[txtSA_Noise].text, "11.5");
    ASSERT_EQ(click_control(calc, optSA_Noise_DANL), "");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "-164.72");
    EXPECT_EQ(calc.form[lblCalcSANoise].text, "-164.72");
    ASSERT_EQ(click_control(calc, optSA_Noise_NF), "");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "11.5");
}

TEST(NoiseFormat, APastedPositiveLevelKeepsItsSign) {
    // Pasted without leaving the field's focus elsewhere, so no
    // recalculation bounds it before the switch converts it.
    Calculator calc = test_support::started();
    ASSERT_EQ(click_control(calc, optSA_Noise_DANL), "");
    ASSERT_EQ(paste_text(calc, txtSA_Noise, "5"), "");
    ASSERT_EQ(click_control(calc, optSA_Noise_NF), "");
    EXPECT_EQ(calc.form[txtSA_Noise].text, "181.22");
}

}  // namespace
}  // namespace orlavex
