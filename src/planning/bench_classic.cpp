#include "planning/bench_classic.h"

#include "engine/apply_catalogue.h"
#include "engine/controls.h"
#include "engine/number_text.h"
#include "measure/bench.h"
#include "measure/units.h"
#include "planning/window_setup.h"
#include "window/user_actions.h"

#include <cmath>

namespace orlavex::planning {

using enum Ctl;

namespace {

// Enters VALUE into FIELD as the window holds it; false when the window
// does not keep it (out of the field's range or refused).
bool enter_value(Calculator& calc, Ctl field, double CalcState::*state, double value) {
    const std::string text = field_text(value, field_capacity(field), kept_decimals(field));
    if (text.empty() || !enter_text(calc, field, text).empty()) return false;
    return calc.state.*state == read_number(text);
}

std::string cannot(std::string_view why) {
    return "no classic figures: the window cannot hold the bench's equivalent set-up (" +
           std::string(why) + ")";
}

// The analyzer field takes the loss after the DUT and the analyzer chain as
// one noise figure: a "User" analyzer without preamplifiers.
std::string enter_second_stage(Calculator& calc, double nf_db) {
    if (is_ticked(calc, chkIntPA) || is_ticked(calc, chkExtPA))
        return "a loss after the DUT with a preamplifier in the analyzer chain";
    if (calc.form[lblSAsel].text != user_selection &&
        !choose_analyzer(calc, user_selection).empty())
        return "the analyzer's noise figure cannot be entered";
    if (!set_analyzer_noise_as_nf(calc, true).empty() ||
        !enter_value(calc, txtSA_Noise, &CalcState::SA_Noise, nf_db))
        return "analyzer noise figure " + general_text(nf_db, '.') + " dB";
    return {};
}

}  // namespace

bool bench_changes_classic(const measure::MeasurementSetup& s) {
    return s.loss_in.loss_db != 0 || s.loss_out.loss_db != 0 || s.meas_source.separate;
}

BenchClassic bench_classic(const Calculator& calc, const measure::MeasurementSetup& s) {
    const measure::EquivalentSetup eq = measure::equivalent_setup(s);
    if (!eq.valid) return {std::nullopt, cannot("the source at the DUT input is not above 290 K")};
    Calculator window = calc;
    if (window.form[lblNSsel].text != user_selection &&
        !choose_noise_source(window, user_selection).empty())
        return {std::nullopt, cannot("the noise source's ENR cannot be entered")};
    if (!enter_value(window, txtENR, &CalcState::ENR, eq.enr_db))
        return {std::nullopt, cannot("ENR " + general_text(eq.enr_db, '.') + " dB")};
    const double toff_c = eq.tc_k - measure::kelvin_offset;
    if (!enter_value(window, txtToff, &CalcState::Toff, toff_c))
        return {std::nullopt, cannot("off temperature " + general_text(toff_c, '.') + " C")};
    if (s.loss_out.loss_db != 0) {
        if (std::string why = enter_second_stage(window, eq.analyzer_nf_db); !why.empty())
            return {std::nullopt, cannot(why)};
    }
    std::string note = "classic figures for the bench's equivalent set-up at the DUT input: ENR " +
                       general_text(window.state.ENR, '.') + " dB, off temperature " +
                       general_text(window.state.Toff, '.') + " C";
    if (s.loss_out.loss_db != 0)
        note += ", analyzer noise figure " + general_text(window.state.SA_Noise, '.') +
                " dB (the loss after the DUT and the analyzer)";
    return {window.figures, std::move(note)};
}

}  // namespace orlavex::planning
