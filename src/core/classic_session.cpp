#include "core/classic_session.h"

#include "core/classic_inputs.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "form/field_ranges.h"
#include "measure/analyzer_noise.h"
#include "measure/match.h"

#include <cstring>

namespace orlavex::core {

namespace {

// What a field left blank (an invalid DUT's levels) reads as.
constexpr std::string_view blank_field = "- - -";

// The values of RESULT as the calculator's fields hold them afterwards: an
// invalid set-up blanks the levels.
ClassicValues written_back(const ClassicResult& result) {
    ClassicValues v = as_fields_hold(result.used.values);
    if (result.end == ClassicEnd::invalid_dut) {
        for (double* level : {&v.cal_on_dbm, &v.cal_off_dbm, &v.meas_on_dbm, &v.meas_off_dbm})
            *level = read_number(blank_field);
    }
    return v;
}

struct PortParts {
    MatchForm ClassicChoices::*form;
    Ctl field;
    double Reflections::*gamma;
};

PortParts parts(MatchPort port) {
    switch (port) {
        case MatchPort::dut_input:
            return {&ClassicChoices::dut_in_form, Ctl::txtDUT_InMatch, &Reflections::dut_in};
        case MatchPort::dut_output:
            return {&ClassicChoices::dut_out_form, Ctl::txtDUT_OutMatch, &Reflections::dut_out};
        case MatchPort::source:
            return {&ClassicChoices::source_form, Ctl::txtNS_Match, &Reflections::source};
        case MatchPort::analyzer:
            break;
    }
    return {&ClassicChoices::analyzer_form, Ctl::txtSA_InMatch, &Reflections::analyzer};
}

// The value the match field of PORT holds: with "Ext PA" the analyzer's
// field holds the external preamplifier's match.
double& match_value(ClassicSetup& s, MatchPort port) {
    switch (port) {
        case MatchPort::dut_input:
            return s.values.dut_in_match;
        case MatchPort::dut_output:
            return s.values.dut_out_match;
        case MatchPort::source:
            return s.values.source_match;
        case MatchPort::analyzer:
            break;
    }
    return s.choices.ext_preamp ? s.values.ext_pa_match : s.values.analyzer_match;
}

// Whether A and B are the same set-up to the last bit (so that -0 and +0,
// which a field can hold apart, are not taken for one another).
bool same_bits(const ClassicSetup& a, const ClassicSetup& b) {
    static_assert(sizeof(ClassicValues) == 21 * sizeof(double), "ClassicValues holds doubles only");
    return std::memcmp(&a.values, &b.values, sizeof(ClassicValues)) == 0 &&
           std::memcmp(&a.return_loss_max_db, &b.return_loss_max_db, sizeof(double)) == 0 &&
           a.choices == b.choices;
}

}  // namespace

ClassicSession ClassicSession::started() {
    ClassicSession session;
    session.recalculate();
    return session;
}

void ClassicSession::recalculate() {
    if (const auto* source = setup.choices.noise_source)
        setup.values.enr_db = read_number(general_text(catalogue::nominal_enr(*source)));
    if (const auto* analyzer = setup.choices.analyzer) {
        setup.values.analyzer_gain_unc_db =
            read_number(catalogue::gain_uncertainty_text(*analyzer));
        setup.values.analyzer_nf_unc_db = read_number(catalogue::nf_uncertainty_text(*analyzer));
    }
    if (!last_figured || !same_bits(*last_figured, setup)) {
        last = classic_figures(setup);
        last_figured = setup;
    }
    setup.values = written_back(last);
    setup.choices = last.used.choices;
}

void ClassicSession::tick(bool ClassicChoices::*box, bool on) {
    if (focus_in_field) recalculate();
    focus_in_field = false;
    setup.choices.*box = on;
    recalculate();
}

void ClassicSession::choose_analyzer(const catalogue::AnalyzerModel* model) {
    setup.choices.analyzer = model;
    recalculate();
}

void ClassicSession::choose_noise_source(const catalogue::NoiseSourceModel* model) {
    setup.choices.noise_source = model;
    recalculate();
}

void ClassicSession::choose_preamp_option(int option) {
    setup.choices.preamp_option0 = option == 0;
    recalculate();
}

void ClassicSession::enter(double ClassicValues::*field_value, double value) {
    setup.values.*field_value = value;
    focus_in_field = true;
    recalculate();
}

void ClassicSession::paste(double ClassicValues::*field_value, double value) {
    setup.values.*field_value = value;
    recalculate();
}

// The conversions start from the reflection of the last recalculation, not
// from the field's value, so switching back and forth never accumulates
// rounding; a perfect match pairs with the largest return loss.
void ClassicSession::set_match_form(MatchPort port, MatchForm form) {
    const PortParts p = parts(port);
    if (setup.choices.*p.form == form) return;
    setup.choices.*p.form = form;
    double& v = match_value(setup, port);
    const double gamma = last.gamma.*p.gamma;
    const double rl_max = upper_end(last, field_range(p.field, ValueForm::return_loss));
    if (form == MatchForm::return_loss) {
        v = v == 1.0 ? rl_max : limit(round_to(measure::return_loss_db(gamma), 2), 0, rl_max);
    } else {
        v = v == rl_max ? 1.0 : round_to(measure::vswr_from_reflection(gamma), 2);
    }
    v = shown_value(v);
}

void ClassicSession::set_analyzer_noise_as_nf(bool as_nf) {
    if (setup.choices.analyzer_noise_as_nf == as_nf) return;
    setup.choices.analyzer_noise_as_nf = as_nf;
    double& noise = setup.values.analyzer_noise;
    noise = as_nf ? round_to(measure::noise_figure_from_signed_level(noise), 2)
                  : measure::level_from_noise_figure(noise);
    noise = shown_value(noise);
}

bool fixed_by_models(const ClassicChoices& choices, Ctl field) {
    using enum Ctl;
    switch (field) {
        case txtSA_Noise:
            return choices.analyzer != nullptr;
        case txtSA_InMatch:
            return choices.analyzer != nullptr && !choices.ext_preamp;
        case txtNS_Match:
            return choices.noise_source != nullptr;
        default:
            return false;
    }
}

}  // namespace orlavex::core
