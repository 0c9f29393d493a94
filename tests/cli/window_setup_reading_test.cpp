// A window read back as a typed set-up and applied to a started window gives
// the same window: the same figures and the same held values, for set-ups
// made through the window's own actions.
#include "app/inputs/window_setup_reading.h"
#include "app/inputs/apply.h"
#include "engine/controls.h"
#include "window/set_up_actions.h"
#include "window/user_actions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace orlavex::app {
namespace {

using enum Ctl;

void must(const std::string& why) {
    ASSERT_EQ(why, "");
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Every figure the window shows, and every value its fields hold.
void expect_same_window(const Calculator& want, const Calculator& got) {
    const ClassicFigures &w = want.figures, &g = got.figures;
    EXPECT_EQ(w.valid, g.valid);
    for (const auto& [name, a, b] : {std::tuple{"enr_eff", w.enr_eff_db, g.enr_eff_db},
                                     {"ycal", w.ycal_db, g.ycal_db},
                                     {"ymeas", w.ymeas_db, g.ymeas_db},
                                     {"nf_sys", w.nf_sys_db, g.nf_sys_db},
                                     {"nf_sa_net", w.nf_sa_net_db, g.nf_sa_net_db},
                                     {"cal_on", w.cal_on_dbm, g.cal_on_dbm},
                                     {"cal_off", w.cal_off_dbm, g.cal_off_dbm},
                                     {"meas_on", w.meas_on_dbm, g.meas_on_dbm},
                                     {"meas_off", w.meas_off_dbm, g.meas_off_dbm},
                                     {"bias", w.bias_db, g.bias_db},
                                     {"margin1", w.margin_db[0], g.margin_db[0]},
                                     {"margin2", w.margin_db[1], g.margin_db[1]},
                                     {"margin3", w.margin_db[2], g.margin_db[2]}})
        EXPECT_TRUE(same(a, b)) << name << ": " << a << " read back as " << b;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(w.lamp[i], g.lamp[i]) << "lamp " << i;
    EXPECT_EQ(w.rss_db, g.rss_db);
    EXPECT_EQ(w.manual, g.manual);
    EXPECT_EQ(w.nf_dut_db, g.nf_dut_db);
    EXPECT_EQ(w.gain_db, g.gain_db);
    EXPECT_EQ(w.error, g.error);
    for (const FieldInput& row : field_inputs())
        EXPECT_TRUE(same(want.state.*row.value, got.state.*row.value)) << row.name;
    for (Ctl label : {lblSAsel, lblNSsel})
        EXPECT_EQ(want.form[label].text, got.form[label].text);
    for (Ctl box : {chkIntPA, chkExtPA, chkFreqConv, chkUseManMeas})
        EXPECT_EQ(is_ticked(want, box), is_ticked(got, box)) << layout_row(box).name;
    for (Ctl menu_item : {mnu2ndStage, item(mnuIntPA, 0), item(mnuIntPA, 1)})
        EXPECT_EQ(is_checked(want, menu_item), is_checked(got, menu_item));
    for (Ctl option :
         {optDUTIn_RL, optDUTOut_RL, optNS_Match_RL, optSA_InMatch_RL, optSA_Noise_DANL})
        EXPECT_EQ(is_selected(want, option), is_selected(got, option)) << layout_row(option).name;
}

struct Case {
    const char* name;
    std::function<void(Calculator&)> make;
};

void enter(Calculator& calc, Ctl field, const char* text) {
    must(enter_text(calc, field, text));
}

TEST(WindowSetupReading, ApplyingWhatWasReadGivesTheSameWindow) {
    const Case cases[] = {
        {"start-up", [](Calculator&) {}},
        {"catalogue instruments with a preamp",
         [](Calculator& c) {
             must(choose_analyzer(c, "Aravel-3"));
             must(choose_noise_source(c, "NS346B"));
             must(set_internal_preamp(c, true));
             enter(c, txtDUT_NF, "2");
             enter(c, txtDUT_Gain, "28");
             enter(c, txtFreq, "5");
         }},
        {"the second of two preamps, values typed",
         [](Calculator& c) {
             must(choose_analyzer(c, "Galder-3"));
             must(set_internal_preamp(c, true, 1));
             c.form.popup = Ctl::none;
             enter(c, txtFreq, "7.25");
             enter(c, txtENR_Unc, "0.17");
             enter(c, txtToff, "31.5");
         }},
        {"user values in their other forms, no second stage",
         [](Calculator& c) {
             // First: without it the window keeps the calibration levels it
             // last predicted, which no set-up holds.
             must(click_control(c, mnu2ndStage));
             must(set_match_form(c, planning::MatchPort::dut_input,
                                 planning::MatchForm::return_loss));
             must(set_match_form(c, planning::MatchPort::source, planning::MatchForm::return_loss));
             must(set_match_form(c, planning::MatchPort::analyzer,
                                 planning::MatchForm::return_loss));
             must(set_analyzer_noise_as_nf(c, false));
             enter(c, txtDUT_InMatch, "18");
             enter(c, txtNS_Match, "25");
             enter(c, txtSA_InMatch, "12.5");
             enter(c, txtSA_Noise, "-150");
             enter(c, txtDUT_OutMatch, "1.8");
         }},
        {"a converting DUT behind an external preamp",
         [](Calculator& c) {
             must(set_frequency_conversion(c, true));
             enter(c, txtFreq, "3");
             enter(c, txtFreq2, "0.7");
             must(set_external_preamp(c, true));
             enter(c, txtExtPA_Gain, "25");
             enter(c, txtExtPA_NF, "3.5");
             enter(c, txtSA_InMatch, "1.3");
             enter(c, txtDUT_Gain, "9.5");
         }},
        {"four measured levels",
         [](Calculator& c) {
             must(choose_noise_source(c, "NS346B"));
             must(click_control(c, mnuShowManMeas));
             must(click_control(c, chkUseManMeas));
             enter(c, txtCalON, "-108.896");
             enter(c, txtCalOFF, "-114");
             enter(c, txtMeasON, "-94.663");
             enter(c, txtMeasOFF, "-102.223");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Calculator want = started_calculator();
        c.make(want);
        if (::testing::Test::HasFatalFailure()) return;
        Calculator got = started_calculator();
        const Applied applied = apply(got, read_setup(want), {.strict = true});
        ASSERT_EQ(applied.refused, "");
        expect_same_window(want, got);
    }
}

TEST(WindowSetupReading, LeavesOutWhatTheWindowDoesNotUse) {
    Calculator calc = started_calculator();
    must(choose_analyzer(calc, "Aravel-3"));
    must(choose_noise_source(calc, "NS346B"));
    const app::Setup s = read_setup(calc);
    EXPECT_EQ(s.analyzer, "Aravel-3");
    EXPECT_EQ(s.noise_source, "NS346B");
    // The models fix these; the output frequency, the external preamp and
    // the levels belong to boxes left unticked.
    for (const char* name : {"analyzer_nf", "analyzer_vswr", "analyzer_nf_unc", "enr",
                             "source_vswr", "freq2", "ext_preamp_gain", "cal_on"})
        EXPECT_FALSE(s.field(name).has_value()) << name;
    // Only the form the option button shows.
    EXPECT_TRUE(s.field("dut_in_vswr").has_value());
    EXPECT_FALSE(s.field("dut_in_rl").has_value());
    EXPECT_EQ(s.field("enr_unc"), calc.state.ENR_Unc);
    EXPECT_TRUE(s.second_stage);
    EXPECT_FALSE(s.int_preamp_option.has_value());
}

}  // namespace
}  // namespace orlavex::app
