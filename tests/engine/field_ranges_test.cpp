#include "form/field_ranges.h"
#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "engine/fields.h"
#include "engine/recalc.h"

#include "started.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

// The numbers a tool tip names, in order; "+100" and ".01" are numbers too.
std::vector<double> numbers_in(std::string_view tip) {
    const std::string text(tip);
    std::vector<double> out;
    const auto digit_at = [&](std::size_t i) {
        return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
    };
    for (std::size_t i = 0; i < text.size();) {
        const bool sign = (text[i] == '-' || text[i] == '+') &&
                          (digit_at(i + 1) || (text[i + 1] == '.' && digit_at(i + 2)));
        if (sign || digit_at(i) || (text[i] == '.' && digit_at(i + 1))) {
            char* end = nullptr;
            out.push_back(std::strtod(text.c_str() + i, &end));
            i = static_cast<std::size_t>(end - text.c_str());
        } else {
            ++i;
        }
    }
    return out;
}

// The lower and the upper end a tip names, whichever order it names them in.
std::vector<double> ends_named(std::string_view tip) {
    std::vector<double> n = numbers_in(tip);
    std::sort(n.begin(), n.end());
    return n;
}

std::string name_of(const FieldRange& r) {
    return std::string(layout_row(r.field).name) + " form " +
           std::to_string(static_cast<int>(r.form));
}

TEST(FieldRanges, EveryEntryFieldHasARangeAndATipInEveryForm) {
    for (const FieldRule& rule : entry_fields) {
        const FieldRange& first = field_range(rule.field);
        ASSERT_EQ(first.field, rule.field) << layout_row(rule.field).name;
        for (const FieldRange& r : field_ranges) {
            if (r.field != rule.field) continue;
            if (r.upper == UpperEnd::fixed) {
                EXPECT_LT(r.min, r.max) << name_of(r);
            }
            EXPECT_FALSE(r.tip.empty() && r.startup_tip.empty()) << name_of(r);
        }
    }
}

TEST(FieldRanges, EveryTipNamesTheBoundsOfItsForm) {
    for (const FieldRange& r : field_ranges) {
        if (r.tip.empty()) continue;
        SCOPED_TRACE(name_of(r));
        // A variable upper end is written as it stands in the state.
        for (double upper :
             r.upper == UpperEnd::fixed ? std::vector{r.max} : std::vector{26.5, 999.0, 7.0}) {
            EXPECT_EQ(ends_named(range_tip(r, upper, '.')), (std::vector{r.min, upper}))
                << range_tip(r, upper, '.');
        }
    }
}

TEST(FieldRanges, StartUpTipsNameTheBounds) {
    for (const FieldRange& r : field_ranges) {
        if (r.startup_tip.empty()) continue;
        SCOPED_TRACE(name_of(r));
        const std::vector<double> named = ends_named(r.startup_tip);
        ASSERT_EQ(named.size(), 2u) << r.startup_tip;
        // The noise source's start-up tip has always named 1 dB as its lower
        // end; the value is held to 0 dB.
        EXPECT_EQ(named.front(), r.field == txtENR ? 1 : r.min) << r.startup_tip;
        // A variable upper end is named once the first recalculation knows it.
        if (r.upper == UpperEnd::fixed) {
            EXPECT_EQ(named.back(), r.max) << r.startup_tip;
        }
    }
}

TEST(FieldRanges, TheLayoutStartsEachFieldWithItsTableTip) {
    const Form fresh;
    for (const FieldRule& rule : entry_fields)
        EXPECT_EQ(fresh[rule.field].tooltip, startup_tip(rule.field))
            << layout_row(rule.field).name;
    EXPECT_EQ(fresh[txtENR].tooltip, "Range: 1 to 30 dB");
    EXPECT_EQ(fresh[txtNS_Match].tooltip, "");
}

// Puts calc into the mode in which the user enters FIELD.
void enter_by_hand_if_needed(Calculator& calc, Ctl field) {
    const bool level =
        field == txtCalON || field == txtCalOFF || field == txtMeasON || field == txtMeasOFF;
    if (level) calc.form[chkUseManMeas].value = 1;
}

TEST(FieldRanges, TheRecalculationHoldsEachFormToItsRowAndNamesIt) {
    for (const FieldRange& r : field_ranges) {
        SCOPED_TRACE(name_of(r));
        const FieldRule& rule = *find_field(r.field);
        for (const char* typed : {"1e6", "-1e6"}) {
            Calculator calc = started();
            if (r.option != Ctl::none) select_option(calc, r.option);
            enter_by_hand_if_needed(calc, r.field);
            calc.form[r.field].text = typed;
            Do_Calc(calc);
            ASSERT_EQ(&current_range(calc, r.field), &r);
            const double expected = typed[0] == '-' ? r.min : upper_end(calc.state, r);
            EXPECT_EQ(field_value(calc, rule), expected) << typed;
            if (r.form != ValueForm::plain) {
                EXPECT_EQ(calc.form[r.field].tooltip, range_tip(calc, r));
            } else if (r.upper == UpperEnd::fixed) {
                EXPECT_EQ(calc.form[r.field].tooltip, r.startup_tip);
            }
        }
    }
}

TEST(FieldRanges, AFormSwitchNamesTheNewFormsRange) {
    for (const FieldRange& r : field_ranges) {
        if (r.option == Ctl::none) continue;
        SCOPED_TRACE(name_of(r));
        Calculator calc = started();
        for (const FieldRange& other : field_ranges) {
            if (other.field == r.field && other.option != r.option)
                select_option(calc, other.option);
        }
        calc.form[r.field].tooltip.clear();
        select_option(calc, r.option);
        EXPECT_EQ(calc.form[r.field].tooltip, range_tip(calc, r));
    }
}

TEST(FieldRanges, EveryReturnLossTipNamesTheCeilingItsFieldIsHeldTo) {
    // Only the DUT input keeps 50 dB when RL_Max is lower; its tip says so.
    Calculator calc = started();
    calc.state.RL_Max = 40;
    for (const FieldRange& r : field_ranges) {
        if (r.form == ValueForm::return_loss) select_option(calc, r.option);
    }
    Do_Calc(calc);
    for (const FieldRange& r : field_ranges) {
        if (r.form != ValueForm::return_loss) continue;
        const double ceiling = r.field == txtDUT_InMatch ? 50 : 40;
        EXPECT_EQ(upper_end(calc.state, r), ceiling) << name_of(r);
        EXPECT_EQ(ends_named(calc.form[r.field].tooltip), (std::vector{0.5, ceiling}))
            << name_of(r);
    }
}

TEST(FieldRanges, AVariableUpperEndIsWrittenWithTheWindowsSeparator) {
    EXPECT_EQ(range_tip(field_range(txtFreq), 26.5, ','), "Range: 0.01 to 26,5 GHz");
    EXPECT_EQ(range_tip(field_range(txtSA_Noise, ValueForm::noise_level), 0, ','),
              "DANL Range: -176.22 to -116.22 dBm/Hz");
}

}  // namespace
}  // namespace orlavex
