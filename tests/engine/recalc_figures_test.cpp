// The recalculation without texts against the full one: every figure, the
// state, the measurement set-up, the controls and the entry fields' texts
// must come out the same to the last bit, whatever the user did before.
#include "drive/driver.h"
#include "engine/controls.h"
#include "engine/fields.h"
#include "engine/measurement_setup.h"
#include "engine/recalc.h"
#include "random_actions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <tuple>

namespace orlavex {
namespace {

using enum Ctl;

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

// The first difference between two values of one name, or empty.
std::string differs(const char* what, double a, double b) {
    if (bits(a) == bits(b)) return {};
    std::ostringstream out;
    out.precision(17);
    out << what << ": " << a << " vs " << b;
    return out.str();
}

std::string differs(const char* what, const std::optional<double>& a,
                    const std::optional<double>& b) {
    if (a.has_value() != b.has_value()) return std::string(what) + ": one is empty";
    return a ? differs(what, *a, *b) : std::string();
}

std::string first_of(std::initializer_list<std::string> found) {
    for (const std::string& f : found) {
        if (!f.empty()) return f;
    }
    return {};
}

std::string compare_figures(const ClassicFigures& a, const ClassicFigures& b) {
    if (a.valid != b.valid || a.manual != b.manual) return "valid or manual";
    if (a.error != b.error) return "error: " + a.error + " vs " + b.error;
    for (int i = 0; i < 3; ++i) {
        if (a.lamp[i] != b.lamp[i]) return "lamp " + std::to_string(i);
        if (std::string d = differs("margin", a.margin_db[i], b.margin_db[i]); !d.empty()) return d;
    }
    return first_of({
        differs("enr_eff", a.enr_eff_db, b.enr_eff_db),
        differs("ycal", a.ycal_db, b.ycal_db),
        differs("ymeas", a.ymeas_db, b.ymeas_db),
        differs("nf_sys", a.nf_sys_db, b.nf_sys_db),
        differs("nf_sa_net", a.nf_sa_net_db, b.nf_sa_net_db),
        differs("cal_on", a.cal_on_dbm, b.cal_on_dbm),
        differs("cal_off", a.cal_off_dbm, b.cal_off_dbm),
        differs("meas_on", a.meas_on_dbm, b.meas_on_dbm),
        differs("meas_off", a.meas_off_dbm, b.meas_off_dbm),
        differs("rss", a.rss_db, b.rss_db),
        differs("bias", a.bias_db, b.bias_db),
        differs("nf_dut", a.nf_dut_db, b.nf_dut_db),
        differs("gain", a.gain_db, b.gain_db),
        differs("nf_sa", a.nf_sa_db, b.nf_sa_db),
    });
}

// Every number of the state (the version texts and FormReady never change
// in a recalculation).
constexpr double CalcState::*state_numbers[] = {
    &CalcState::DUT_InMatch,  &CalcState::DUT_OutMatch,  &CalcState::NS_Match,
    &CalcState::SA_InMatch,   &CalcState::ExtPA_InMatch, &CalcState::ENR_Unc,
    &CalcState::SA_Noise,     &CalcState::Freq,          &CalcState::Freq2,
    &CalcState::DUT_Gain,     &CalcState::ENR,           &CalcState::Toff,
    &CalcState::CalON,        &CalcState::CalOFF,        &CalcState::MeasON,
    &CalcState::MeasOFF,      &CalcState::DUT_NF,        &CalcState::ExtPA_Gain,
    &CalcState::ExtPA_NF,     &CalcState::SAGainUnc,     &CalcState::SANFUnc,
    &CalcState::RL_Max,       &CalcState::SA_FreqMax,    &CalcState::NS_FreqMax,
    &CalcState::FreqMax,      &CalcState::StepSize,      &CalcState::DUT_InGamma,
    &CalcState::DUT_OutGamma, &CalcState::SA_InGamma,    &CalcState::NS_Gamma,
    &CalcState::ToffK,        &CalcState::NF_Unc,        &CalcState::NF_Bias,
};

std::string compare_state(const CalcState& a, const CalcState& b) {
    for (double CalcState::*v : state_numbers) {
        if (std::string d = differs("state value", a.*v, b.*v); !d.empty()) return d;
    }
    return {};
}

std::string compare_setups(const measure::MeasurementSetup& a, const measure::MeasurementSetup& b) {
    const auto numbers = [](const measure::MeasurementSetup& s) {
        return std::array{s.dut_nf_db,           s.dut_gain_db,    s.enr_cal_db,
                          s.enr_meas_db,         s.enr_unc_db,     s.tc_k,
                          s.analyzer_nf_db,      s.gamma_source,   s.gamma_dut_in,
                          s.gamma_dut_out,       s.gamma_analyzer, s.analyzer_nf_unc_db,
                          s.analyzer_gain_unc_db};
    };
    const auto na = numbers(a), nb = numbers(b);
    for (std::size_t i = 0; i < na.size(); ++i) {
        if (std::string d = differs("set-up value", na[i], nb[i]); !d.empty()) return d;
    }
    if (a.second_stage != b.second_stage || a.freq_converting != b.freq_converting) return "flags";
    return {};
}

// The controls as far as the recalculation without texts keeps them: all
// but result captions, tool tips, colours, selections and the minus line
// drawn with the uncertainty.
std::string compare_controls(const Form& a, const Form& b) {
    for (const ControlRow& row : layout) {
        if (row.id == linMinus) continue;
        const Control& x = a[row.id];
        const Control& y = b[row.id];
        const std::string name(row.name);
        if (std::tie(x.enabled, x.visible, x.value, x.checked) !=
            std::tie(y.enabled, y.visible, y.value, y.checked)) {
            return name + ": enabled, visible, value or check";
        }
        const bool keeps_text = is_entry_field(row.id) || row.kind == Kind::Item;
        if (keeps_text && x.text != y.text)
            return name + ": \"" + x.text + "\" vs \"" + y.text + "\"";
    }
    if (a.focus != b.focus || a.dialog != b.dialog || a.height != b.height) return "window";
    return {};
}

std::string compare(const Calculator& full, const Calculator& quick) {
    return first_of({
        compare_figures(full.figures, quick.figures),
        compare_state(full.state, quick.state),
        compare_setups(measurement_setup(full), measurement_setup(quick)),
        compare_controls(full.form, quick.form),
    });
}

// What a run ended in, to show that the sessions reach every path.
std::string outcome(const Calculator& calc) {
    const ClassicFigures& f = calc.figures;
    if (calc.form[lblInvalidG_NF].visible && !f.manual) return "invalid set-up";
    std::string o = f.manual ? "manual" : "prediction";
    o += is_checked(calc, mnu2ndStage) ? "" : ", uncorrected";
    o += is_ticked(calc, chkExtPA) ? ", ext PA" : "";
    o += is_ticked(calc, chkFreqConv) ? ", converting" : "";
    if (!f.error.empty()) o += ": " + f.error;
    return o;
}

// The selection is not kept by the recalculation without texts; copying it
// over lets the next typed character land at the same place.
void copy_selections(const Calculator& from, Calculator& to) {
    for (const FieldRule& f : entry_fields) {
        to.form[f.field].selstart = from.form[f.field].selstart;
        to.form[f.field].sellength = from.form[f.field].sellength;
    }
}

TEST(RecalculateFigures, MatchesDoCalcBitForBitInRandomSessions) {
    std::map<std::string, int> outcomes;
    int compared = 0;
    for (std::uint64_t seed : {3u, 7u, 19u, 42u, 1234u}) {
        Driver full;
        Driver quick;
        soak::RandomActions actions(seed);
        std::ostringstream ignored;
        for (int step = 0; step < 3000; ++step) {
            const std::string line = actions.next(full.calculator());
            ASSERT_EQ(full.run_line(line, ignored), quick.run_line(line, ignored)) << line;
            // Every third step the quick window recalculates twice in a row,
            // so runs also start from what a run without texts left.
            Do_Calc(full.calculator());
            recalculate_figures(quick.calculator());
            if (step % 3 == 0) {
                Do_Calc(full.calculator());
                recalculate_figures(quick.calculator());
            }
            ++compared;
            ++outcomes[outcome(full.calculator())];
            const std::string difference = compare(full.calculator(), quick.calculator());
            ASSERT_EQ(difference, "") << "seed " << seed << ", step " << step << ": " << line;
            copy_selections(full.calculator(), quick.calculator());
        }
    }
    for (const auto& [o, count] : outcomes)
        std::cout << "  " << count << "  " << o << '\n';
    EXPECT_EQ(compared, 15000);
    for (const char* path :
         {"invalid set-up", "prediction", "prediction, uncorrected", "prediction, ext PA",
          "prediction, converting", "manual",
          "manual, uncorrected: Uncertainty not available for manual measurement values when "
          "2nd Stage Correction is off",
          "manual: Error: Meas OFF >= Meas ON", "manual: Error: Cal OFF >= Cal ON",
          "manual: Error: Cal OFF >= Meas OFF", "manual: Error: Levels indicate NFdut < 0"}) {
        EXPECT_GT(outcomes[path], 0) << "no session reached: " << path;
    }
}

}  // namespace
}  // namespace orlavex
