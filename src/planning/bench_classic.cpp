#include "planning/bench_classic.h"

#include "core/number_text.h"
#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/recalc.h"
#include "measure/bench.h"
#include "measure/simulation.h"
#include "measure/units.h"
#include "planning/window_setup.h"
#include "window/user_actions.h"

#include <cmath>
#include <vector>

namespace orlavex::planning {

using enum Ctl;

namespace {

// A value pasted into its field as the window holds it; the recalculation
// after every paste then tells whether the window kept it.
struct Pasted {
    Ctl field;
    double CalcState::*state;
    double value;
    std::string text;
};

bool paste(Calculator& calc, Pasted& p) {
    p.text = field_text(p.value, field_capacity(p.field), kept_decimals(p.field));
    return !p.text.empty() && calc.form[p.field].enabled &&
           paste_text(calc, p.field, p.text).empty();
}

bool kept(const Calculator& calc, const Pasted& p) {
    return calc.state.*p.state == read_number(p.text);
}

std::string cannot(std::string_view why) {
    return "no classic figures: the window cannot hold the bench's equivalent set-up (" +
           std::string(why) + ")";
}

// The analyzer field takes the loss after the DUT and the analyzer chain as
// one noise figure: a "User" analyzer without preamplifiers.
std::string make_analyzer_enterable(Calculator& calc) {
    if (is_ticked(calc, chkIntPA) || is_ticked(calc, chkExtPA))
        return "a loss after the DUT with a preamplifier in the analyzer chain";
    if (calc.form[lblSAsel].text != user_selection &&
        !choose_analyzer(calc, user_selection).empty())
        return "the analyzer's noise figure cannot be entered";
    if (!set_analyzer_noise_as_nf(calc, true).empty())
        return "the analyzer's noise figure cannot be entered";
    return {};
}

std::string what(const Pasted& p) {
    switch (p.field) {
        case txtENR:
            return "ENR " + general_text(p.value, '.') + " dB";
        case txtToff:
            return "off temperature " + general_text(p.value, '.') + " C";
        default:
            return "analyzer noise figure " + general_text(p.value, '.') + " dB";
    }
}

void calibration_from(const ClassicFigures& calibration, ClassicFigures& figures) {
    if (!figures.valid || !calibration.valid) return;
    constexpr std::size_t enr_minus_nf_sa = 2;
    figures.ycal_db = calibration.ycal_db;
    figures.cal_on_dbm = calibration.cal_on_dbm;
    figures.cal_off_dbm = calibration.cal_off_dbm;
    figures.nf_sa_net_db = calibration.nf_sa_net_db;
    figures.margin_db[enr_minus_nf_sa] = calibration.margin_db[enr_minus_nf_sa];
    figures.lamp[enr_minus_nf_sa] = calibration.lamp[enr_minus_nf_sa];
}

// The classic figures correct the ENR for the off temperature to first
// order; far from 290 K their Ymeas leaves the readings'. The difference,
// where it shows at the figures' 0.01 dB.
std::string first_order_note(const measure::MeasurementSetup& s, const measure::EquivalentSetup& eq,
                             const ClassicFigures& figures) {
    constexpr double near_t0_k = 10;
    if (!figures.valid || std::fabs(eq.tc_k - measure::T0) <= near_t0_k) return {};
    const measure::Readings r = measure::simulate_readings(s, measure::ErrorDraw{});
    const double readings_y_db = measure::db(r.p4 / r.p3);
    const double difference = figures.ymeas_db - readings_y_db;
    if (!(std::fabs(difference) >= 0.005)) return {};
    return "; the classic Ymeas treats the equivalent off temperature of " +
           general_text(round_to(eq.tc_k, 1), '.') +
           " K to first order: " + format_number(figures.ymeas_db, "0.00") +
           " dB where the readings give " + format_number(readings_y_db, "0.00") + " dB";
}

}  // namespace

bool bench_changes_classic(const measure::MeasurementSetup& s) {
    return s.loss_in.loss_db != 0 || s.loss_out.loss_db != 0 || s.meas_source.separate;
}

// The entry fields a point's window sets; the equivalent window takes
// their texts.
constexpr Ctl copied_fields[] = {txtDUT_NF,     txtDUT_Gain,   txtDUT_InMatch, txtDUT_OutMatch,
                                 txtFreq,       txtFreq2,      txtENR_Unc,     txtNS_Match,
                                 txtSA_Noise,   txtSA_InMatch, txtSANFUnc,     txtSAGainUnc,
                                 txtExtPA_Gain, txtExtPA_NF};

EquivalentWindow::EquivalentWindow(const Calculator& base, bool loss_after)
    : window_(base), loss_after_(loss_after) {
    if (window_.form[lblNSsel].text != user_selection &&
        !choose_noise_source(window_, user_selection).empty())
        refused_ = "the noise source's ENR cannot be entered";
    if (refused_.empty() && loss_after_) refused_ = make_analyzer_enterable(window_);
}

BenchClassic EquivalentWindow::classic(const Calculator& point,
                                       const measure::MeasurementSetup& s) {
    if (!refused_.empty()) return {std::nullopt, cannot(refused_)};
    const measure::EquivalentSetup eq = measure::equivalent_setup(s);
    if (!eq.valid) return {std::nullopt, cannot("the source at the DUT input is not above 290 K")};
    for (Ctl field : copied_fields) {
        const std::string& text = point.form[field].text;
        if (window_.form[field].enabled && window_.form[field].text != text)
            paste_text(window_, field, text);
    }
    // Every value pasted, then one recalculation, as leaving the last field does.
    std::vector<Pasted> values = {
        {txtENR, &CalcState::ENR, eq.enr_db, {}},
        {txtToff, &CalcState::Toff, eq.tc_k - measure::kelvin_offset, {}}};
    if (loss_after_) values.push_back({txtSA_Noise, &CalcState::SA_Noise, eq.analyzer_nf_db, {}});
    for (Pasted& p : values) {
        if (!paste(window_, p)) return {std::nullopt, cannot(what(p))};
    }
    Do_Calc(window_);
    for (const Pasted& p : values) {
        if (!kept(window_, p)) return {std::nullopt, cannot(what(p))};
    }
    // The calibration is made with the source at the analyzer, without the
    // bench: its Y factor, levels, analyzer noise figure and ENR - NFsa
    // guideline are the point's own.
    ClassicFigures figures = window_.figures;
    calibration_from(point.figures, figures);
    std::string note = "classic figures for the bench's equivalent set-up at the DUT input: ENR " +
                       general_text(window_.state.ENR, '.') + " dB, off temperature " +
                       general_text(round_to(window_.state.Toff, 2), '.') + " C";
    if (loss_after_)
        note += ", analyzer noise figure " + general_text(window_.state.SA_Noise, '.') +
                " dB (the loss after the DUT and the analyzer)";
    note += first_order_note(s, eq, figures);
    return {figures, std::move(note)};
}

BenchClassic bench_classic(const Calculator& calc, const measure::MeasurementSetup& s) {
    return EquivalentWindow(calc, s.loss_out.loss_db != 0).classic(calc, s);
}

}  // namespace orlavex::planning
