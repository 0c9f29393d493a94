// Choosing instruments and options through the window's own actions, and
// the same actions on a typed set-up.
#include "window/set_up_actions.h"

#include "core/number_text.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "engine/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace orlavex {
namespace {

using enum Ctl;

TEST(WindowSetup, ChoicesTheWindowRefusesComeBackWithTheirReason) {
    Calculator calc = started_calculator();
    EXPECT_EQ(choose_analyzer(calc, "Aravel-99"), "unknown analyzer \"Aravel-99\"");
    EXPECT_EQ(choose_noise_source(calc, "ns346a"), "unknown noise source \"ns346a\"");
    EXPECT_EQ(choose_analyzer(calc, "Lorwen-7"), "");
    EXPECT_EQ(set_internal_preamp(calc, true),
              "the analyzer Lorwen-7 has no internal preamplifier");
    EXPECT_EQ(choose_analyzer(calc, "Aravel-4"), "");
    EXPECT_EQ(set_internal_preamp(calc, true, 1),
              "the analyzer Aravel-4 has one internal preamplifier");
    // A field a catalogue model fixes is locked.
    EXPECT_NE(enter_text(calc, txtSA_Noise, "20"), "");
}

TEST(WindowSetup, APreampOptionIsPickedFromThePreampMenu) {
    // Above 7 GHz Galder-4's option 0 is no better than no preamp; option 1 is.
    Calculator calc = started_calculator();
    ASSERT_EQ(enter_text(calc, txtFreq, "10"), "");
    ASSERT_EQ(choose_analyzer(calc, "Galder-4"), "");
    ASSERT_EQ(set_internal_preamp(calc, true, 1), "");
    EXPECT_TRUE(is_ticked(calc, chkIntPA));
    EXPECT_TRUE(calc.form[item(mnuIntPA, 1)].checked);
    EXPECT_FALSE(calc.form[item(mnuIntPA, 0)].checked);
    const double option1 = calc.figures.nf_sa_net_db;
    ASSERT_EQ(set_internal_preamp(calc, true, 0), "");
    const double option0 = calc.figures.nf_sa_net_db;
    EXPECT_NEAR(option0 - option1, 17, 1e-9);  // -147 against -164 dBm/Hz
    ASSERT_EQ(set_internal_preamp(calc, false), "");
    EXPECT_FALSE(is_ticked(calc, chkIntPA));
    EXPECT_EQ(calc.figures.nf_sa_net_db, option0);
}

// The typed session's user actions leave a set-up as the window's leave
// its fields: the format buttons convert a value from the last
// recalculation's reflection, as the window's do.
struct FormCase {
    Ctl field;
    core::MatchPort port;
    const char* typed;
    bool ext_preamp = false;
};

constexpr FormCase form_cases[] = {
    {txtDUT_InMatch, core::MatchPort::dut_input, "1.37"},
    {txtDUT_InMatch, core::MatchPort::dut_input, "1"},  // a perfect match: the largest RL
    {txtDUT_OutMatch, core::MatchPort::dut_output, "2.5"},
    {txtNS_Match, core::MatchPort::source, "1.15"},
    {txtNS_Match, core::MatchPort::source, "17.7"},
    {txtSA_InMatch, core::MatchPort::analyzer, "1.9"},
    {txtSA_InMatch, core::MatchPort::analyzer, "3", true},  // the external preamp's match
};

void expect_same_values(const core::ClassicValues& window, const core::ClassicValues& typed) {
    // Every value is a double: compared bit for bit, a blank level included.
    static_assert(sizeof(core::ClassicValues) % sizeof(double) == 0);
    EXPECT_EQ(std::memcmp(&window, &typed, sizeof window), 0)
        << "DUT in " << window.dut_in_match << "/" << typed.dut_in_match << ", source "
        << window.source_match << "/" << typed.source_match << ", analyzer "
        << window.analyzer_match << "/" << typed.analyzer_match << ", ext PA "
        << window.ext_pa_match << "/" << typed.ext_pa_match << ", noise " << window.analyzer_noise
        << "/" << typed.analyzer_noise;
}

TEST(SessionAgreesWithWindow, MatchFormatButtonsConvertAsTheWindowDoes) {
    for (const FormCase& c : form_cases) {
        SCOPED_TRACE(std::string(layout_row(c.field).name) + " " + c.typed);
        Calculator window = started_calculator();
        core::ClassicSession typed = core::ClassicSession::started();
        if (c.ext_preamp) {
            ASSERT_EQ(set_external_preamp(window, true), "");
            typed.tick(&core::ClassicChoices::ext_preamp, true);
        }
        ASSERT_EQ(enter_text(window, c.field, c.typed), "");
        typed.paste(c.ext_preamp ? &core::ClassicValues::ext_pa_match
                                 : typed_value(find_field(c.field)->value),
                    read_number(c.typed));
        expect_same_values(classic_session(window).setup.values, typed.setup.values);
        for (core::MatchForm form :
             {core::MatchForm::return_loss, core::MatchForm::vswr, core::MatchForm::return_loss}) {
            ASSERT_EQ(set_match_form(window, c.port, form), "");
            typed.set_match_form(c.port, form);
            const core::ClassicSetup shown = classic_session(window).setup;
            expect_same_values(shown.values, typed.setup.values);
            EXPECT_EQ(std::tie(shown.choices.dut_in_form, shown.choices.dut_out_form,
                               shown.choices.source_form, shown.choices.analyzer_form),
                      std::tie(typed.setup.choices.dut_in_form, typed.setup.choices.dut_out_form,
                               typed.setup.choices.source_form, typed.setup.choices.analyzer_form));
        }
    }
}

TEST(SessionAgreesWithWindow, AnalyzerNoiseConvertsBetweenFigureAndLevel) {
    for (const char* nf : {"11.5", "3.33", "0", "27.06"}) {
        SCOPED_TRACE(nf);
        Calculator window = started_calculator();
        core::ClassicSession typed = core::ClassicSession::started();
        ASSERT_EQ(enter_text(window, txtSA_Noise, nf), "");
        typed.paste(&core::ClassicValues::analyzer_noise, read_number(nf));
        for (bool as_nf : {false, true, false}) {
            ASSERT_EQ(set_analyzer_noise_as_nf(window, as_nf), "");
            typed.set_analyzer_noise_as_nf(as_nf);
            expect_same_values(classic_session(window).setup.values, typed.setup.values);
        }
    }
}

TEST(SessionAgreesWithWindow, TheCatalogueFixesWhatTheWindowLocks) {
    for (const char* analyzer : {"User", "Aravel-4"}) {
        for (const char* source : {"User", "NS346C"}) {
            for (bool ext : {false, true}) {
                Calculator window = started_calculator();
                ASSERT_EQ(choose_analyzer(window, analyzer), "");
                ASSERT_EQ(choose_noise_source(window, source), "");
                ASSERT_EQ(set_external_preamp(window, ext), "");
                const core::ClassicChoices choices = classic_session(window).setup.choices;
                for (Ctl field : {txtSA_Noise, txtSA_InMatch, txtNS_Match, txtENR, txtFreq}) {
                    EXPECT_EQ(core::fixed_by_models(choices, field), !window.form[field].enabled)
                        << analyzer << ", " << source << (ext ? ", Ext PA, " : ", ")
                        << layout_row(field).name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace orlavex
