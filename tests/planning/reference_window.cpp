#include "reference_window.h"

#include "catalogue/catalogue.h"
#include "core/number_text.h"
#include "engine/classic_reading.h"
#include "engine/fields.h"
#include "window/set_up_actions.h"

#include "window/entry_fields.h"
#include "window/user_actions.h"

#include <gtest/gtest.h>

namespace orlavex::planning::testing {

void type_into(Calculator& calc, Ctl field, const std::string& text) {
    ASSERT_EQ(focus_control(calc, field), "");
    ASSERT_EQ(select_text(calc, 0, static_cast<int>(calc.form[field].text.size())), "");
    for (char ch : text) {
        ASSERT_EQ(type_character(calc, ch), "");
    }
    ASSERT_EQ(calc.form[field].text, text);
    ASSERT_EQ(press_key(calc, key::enter, 0), "");
}

Calculator base_window(const Choices& c) {
    Calculator calc = started_calculator();
    for (const auto& [field, text] : c.typed)
        type_into(calc, field, text);
    EXPECT_EQ(set_frequency_conversion(calc, c.freq_conv), "");
    EXPECT_EQ(choose_noise_source(calc, c.noise_source), "");
    EXPECT_EQ(choose_analyzer(calc, c.analyzer), "");
    if (c.int_preamp) {
        EXPECT_EQ(set_internal_preamp(calc, true, c.preamp_option), "");
    }
    return calc;
}

core::ClassicSession base_session(const Choices& c) {
    core::ClassicSession s = core::ClassicSession::started();
    for (const auto& [field, text] : c.typed) {
        const FieldRule* rule = find_field(field);
        EXPECT_NE(rule, nullptr);
        s.enter(typed_value(rule->value), read_number(text));
    }
    if (s.setup.choices.freq_conv != c.freq_conv)
        s.tick(&core::ClassicChoices::freq_conv, c.freq_conv);
    s.choose_noise_source(catalogue::find_noise_source(c.noise_source));
    s.choose_analyzer(catalogue::find_analyzer(c.analyzer));
    if (c.int_preamp) {
        s.tick(&core::ClassicChoices::int_preamp, true);
        if (c.preamp_option) s.choose_preamp_option(*c.preamp_option);
    }
    return s;
}

void expect_same_figures(const ClassicFigures& a, const ClassicFigures& b,
                         const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(a.valid, b.valid);
    EXPECT_EQ(a.enr_eff_db, b.enr_eff_db);
    EXPECT_EQ(a.ycal_db, b.ycal_db);
    EXPECT_EQ(a.ymeas_db, b.ymeas_db);
    EXPECT_EQ(a.nf_sys_db, b.nf_sys_db);
    EXPECT_EQ(a.nf_sa_net_db, b.nf_sa_net_db);
    EXPECT_EQ(a.cal_on_dbm, b.cal_on_dbm);
    EXPECT_EQ(a.cal_off_dbm, b.cal_off_dbm);
    EXPECT_EQ(a.meas_on_dbm, b.meas_on_dbm);
    EXPECT_EQ(a.meas_off_dbm, b.meas_off_dbm);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.margin_db[i], b.margin_db[i]) << "margin " << i + 1;
        EXPECT_EQ(a.lamp[i], b.lamp[i]) << "lamp " << i + 1;
    }
    EXPECT_EQ(a.rss_db, b.rss_db);
    EXPECT_EQ(a.bias_db, b.bias_db);
    EXPECT_EQ(a.error, b.error);
}

}  // namespace orlavex::planning::testing
