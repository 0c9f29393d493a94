// Entering numbers without typing: the value a field holds must be the one
// the nearest typed text that fits gives, and a recalculation after it must
// give what pasting that text and recalculating gives.
#include "engine/field_values.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/measurement_setup.h"
#include "core/number_text.h"
#include "engine/recalc.h"
#include "window/menu_lookup.h"
#include "window/user_actions.h"

#include "started.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace orlavex {
namespace {

using enum Ctl;
using test_support::started;

// The text an engineer types for VALUE into a field of MAX_CHARS
// characters keeping MAX_DECIMALS decimals: the nearest fixed-point text,
// trailing zeros dropped, "0.5" shortened to ".5" where that makes it fit.
std::string typed_text(double value, int max_chars, int max_decimals) {
    for (int places = max_decimals; places >= 0; --places) {
        char buffer[512];
        std::snprintf(buffer, sizeof buffer, "%.*f", places, value);
        std::string text = buffer;
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') text.pop_back();
        }
        if (text == "-0") text = "0";
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("0.")) text.erase(0, 1);
        if (static_cast<int>(text.size()) > max_chars && text.starts_with("-0.")) text.erase(1, 1);
        if (static_cast<int>(text.size()) <= max_chars) return text;
    }
    return {};
}

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

TEST(HeldValue, IsWhatTheNearestTypedTextThatFitsReads) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-7, 8);
    std::uniform_int_distribution<int> eighths(-8000, 8000);
    for (const FieldRule& f : entry_fields) {
        const int width = layout_row(f.field).max_length;
        ASSERT_GT(width, 0);
        const int decimals = kept_decimals(f.field);
        for (int i = 0; i < 5000; ++i) {
            // Random magnitudes, and exact binary ties such as 1.125 and 0.375.
            const double value = i % 2 == 0 ? mantissa(rng) * std::pow(10.0, exponent(rng))
                                            : eighths(rng) / 8.0 / std::pow(10.0, i % 5);
            const std::string text = typed_text(value, width, decimals);
            const std::optional<double> held = held_value(f.field, value);
            ASSERT_EQ(held.has_value(), !text.empty()) << value;
            if (held) {
                ASSERT_EQ(bits(*held), bits(read_number(text))) << value << " " << text;
            }
        }
    }
}

TEST(HeldValue, KeepsTheDecimalsTheFieldIsWrittenWith) {
    EXPECT_EQ(kept_decimals(txtDUT_NF), 2);
    EXPECT_EQ(kept_decimals(txtSA_Noise), 2);
    EXPECT_EQ(kept_decimals(txtMeasOFF), 3);
    EXPECT_EQ(kept_decimals(txtFreq), 15);
    EXPECT_EQ(held_value(txtDUT_NF, 0.1 + 0.2), 0.3);
    EXPECT_EQ(held_value(txtDUT_NF, 2.0 / 3.0), 0.67);
    EXPECT_EQ(held_value(txtCalON, -100.12345), -100.123);
    EXPECT_EQ(held_value(txtDUT_Gain, -0.001), 0.0);
    EXPECT_EQ(bits(*held_value(txtDUT_Gain, -0.001)), bits(0.0));  // "-0" is typed "0"
    EXPECT_FALSE(held_value(txtFreq, std::nan("")));
    EXPECT_FALSE(held_value(txtFreq, 1e20));
}

// The set-up's numbers as bit patterns.
std::vector<std::uint64_t> numbers_of(const measure::MeasurementSetup& s) {
    std::vector<std::uint64_t> out;
    for (double x : {s.dut_nf_db, s.dut_gain_db, s.enr_cal_db, s.enr_meas_db, s.enr_unc_db, s.tc_k,
                     s.analyzer_nf_db, s.gamma_source, s.gamma_dut_in, s.gamma_dut_out,
                     s.gamma_analyzer, s.analyzer_nf_unc_db, s.analyzer_gain_unc_db}) {
        out.push_back(bits(x));
    }
    out.push_back(s.second_stage);
    out.push_back(s.freq_converting);
    return out;
}

// One random set-up, as clicks would make it.
void choose_at_random(Calculator& calc, std::mt19937_64& rng) {
    const auto coin = [&] { return rng() % 2 == 0; };
    const char* analyzers[] = {"User", "Aravel-3", "Galder-3"};
    const char* sources[] = {"User", "NS346B"};
    const std::string analyzer = analyzers[rng() % 3];
    const Ctl sa = analyzer == "User" ? mnuSAuser : menu_item_captioned(calc, mnuSAtop, analyzer);
    if (sa != Ctl::none) click_control(calc, sa);
    const std::string source = sources[rng() % 2];
    click_control(calc, source == "User" ? mnuNSuser : menu_item_captioned(calc, mnuNStop, source));
    if (coin()) click_control(calc, chkExtPA);
    if (coin()) click_control(calc, chkFreqConv);
    if (coin()) click_control(calc, mnu2ndStage);
    if (coin()) click_control(calc, coin() ? optDUTIn_RL : optNS_Match_RL);
    if (coin()) click_control(calc, optSA_Noise_NF);
    if (coin()) calc.form.decimal_separator = ',';
}

TEST(SetFieldValue, RecalculatesAsPastingTheTypedTextDoes) {
    std::mt19937_64 rng(23);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int entered = 0;
    for (int session = 0; session < 300; ++session) {
        Calculator pasted = started();
        choose_at_random(pasted, rng);
        Calculator set = pasted;
        for (int step = 0; step < 10; ++step) {
            const FieldRule& f = entry_fields[rng() % entry_fields.size()];
            // Mostly within the field's range, now and then beyond it.
            const double value = -120 + 250 * unit(rng) * unit(rng);
            const std::string text =
                typed_text(value, layout_row(f.field).max_length, kept_decimals(f.field));
            const std::string refused = paste_text(pasted, f.field, text);
            ASSERT_EQ(set_field_value(set, f.field, value).empty(), refused.empty()) << refused;
            if (!refused.empty()) continue;
            ++entered;
            Do_Calc(pasted);
            recalculate_figures(set);
            ASSERT_EQ(pasted.form[f.field].text, set.form[f.field].text);
            ASSERT_EQ(bits(pasted.figures.nf_sa_net_db), bits(set.figures.nf_sa_net_db));
            ASSERT_EQ(pasted.figures.rss_db, set.figures.rss_db);
            ASSERT_EQ(bits(pasted.figures.ymeas_db), bits(set.figures.ymeas_db));
            const measure::MeasurementSetup a = measurement_setup(pasted);
            const measure::MeasurementSetup b = measurement_setup(set);
            ASSERT_EQ(numbers_of(a), numbers_of(b)) << "set-up after " << text;
            for (const FieldRule& g : entry_fields)
                ASSERT_EQ(pasted.form[g.field].text, set.form[g.field].text);
        }
    }
    EXPECT_GT(entered, 1000);
}

TEST(SetFieldValue, RefusesWhatAUserCouldNotEnter) {
    Calculator calc = started();
    EXPECT_EQ(set_field_value(calc, lblYcal, 1), "lblYcal is not an entry field");
    EXPECT_EQ(set_field_value(calc, txtFreq, 1e20), "txtFreq cannot hold 1e+20");
    EXPECT_EQ(set_field_value(calc, txtCalON, -100), "txtCalON is not shown");
    // A catalogue analyzer fixes its noise level.
    click_control(calc, menu_item_captioned(calc, mnuSAtop, "Aravel-3"));
    EXPECT_EQ(set_field_value(calc, txtSA_Noise, -150), "txtSA_Noise is disabled");
    const std::string before = calc.form[txtDUT_NF].text;
    EXPECT_EQ(set_field_value(calc, txtDUT_NF, 0.1 + 0.2), "");
    EXPECT_EQ(calc.form[txtDUT_NF].text, "0.3");
    EXPECT_NE(before, "0.3");
}

}  // namespace
}  // namespace orlavex
