#include "planning/bench_classic.h"

#include "core/field_entry.h"
#include "core/number_text.h"
#include "measure/bench.h"
#include "measure/simulation.h"
#include "measure/units.h"

#include <cmath>
#include <vector>

namespace orlavex::planning {

namespace {

// A value of the equivalent set-up, entered as its field holds it; the
// computation then tells whether the calculator kept it.
struct Entered {
    double core::ClassicValues::*value;
    double given;
    std::string_view what;  // "ENR", "off temperature", "analyzer noise figure"
    std::string_view unit;
    Ctl field;
};

std::string cannot(std::string_view why) {
    return "no classic figures: the window cannot hold the bench's equivalent set-up (" +
           std::string(why) + ")";
}

std::string what(const Entered& e) {
    return std::string(e.what) + " " + general_text(e.given, '.') + std::string(e.unit);
}

// The analyzer value takes the loss after the DUT and the analyzer chain as
// one noise figure: a "User" analyzer without preamplifiers.
std::string make_analyzer_enterable(core::ClassicChoices& c) {
    if (c.int_preamp || c.ext_preamp)
        return "a loss after the DUT with a preamplifier in the analyzer chain";
    c.analyzer = nullptr;
    c.analyzer_noise_as_nf = true;
    return {};
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

BenchClassic bench_classic(const core::ClassicSetup& point, const ClassicFigures& point_figures,
                           const measure::MeasurementSetup& s, bool loss_after) {
    core::ClassicSetup equivalent = point;
    equivalent.values = core::as_fields_hold(point.values);
    equivalent.choices.noise_source = nullptr;
    if (loss_after) {
        if (std::string why = make_analyzer_enterable(equivalent.choices); !why.empty())
            return {std::nullopt, cannot(why)};
    }
    const measure::EquivalentSetup eq = measure::equivalent_setup(s);
    if (!eq.valid) return {std::nullopt, cannot("the source at the DUT input is not above 290 K")};
    std::vector<Entered> values = {
        {&core::ClassicValues::enr_db, eq.enr_db, "ENR", " dB", Ctl::txtENR},
        {&core::ClassicValues::toff_c, eq.tc_k - measure::kelvin_offset, "off temperature", " C",
         Ctl::txtToff}};
    if (loss_after) {
        values.push_back({&core::ClassicValues::analyzer_noise, eq.analyzer_nf_db,
                          "analyzer noise figure", " dB", Ctl::txtSA_Noise});
    }
    for (const Entered& e : values) {
        const std::string text =
            core::field_text(e.given, core::field_capacity(e.field), core::kept_decimals(e.field));
        if (text.empty()) return {std::nullopt, cannot(what(e))};
        equivalent.values.*e.value = read_number(text);
    }
    const core::ClassicResult r = core::classic_figures(equivalent);
    for (const Entered& e : values) {
        if (r.used.values.*e.value != equivalent.values.*e.value)
            return {std::nullopt, cannot(what(e))};
    }
    // The calibration is made with the source at the analyzer, without the
    // bench: its Y factor, levels, analyzer noise figure and ENR - NFsa
    // guideline are the point's own.
    ClassicFigures figures = r.figures;
    calibration_from(point_figures, figures);
    const core::ClassicValues& used = r.used.values;
    std::string note = "classic figures for the bench's equivalent set-up at the DUT input: ENR " +
                       general_text(used.enr_db, '.') + " dB, off temperature " +
                       general_text(round_to(used.toff_c, 2), '.') + " C";
    if (loss_after)
        note += ", analyzer noise figure " + general_text(used.analyzer_noise, '.') +
                " dB (the loss after the DUT and the analyzer)";
    note += first_order_note(s, eq, figures);
    return {figures, std::move(note)};
}

}  // namespace orlavex::planning
