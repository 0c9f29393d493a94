#include "window/formats.h"

#include "engine/controls.h"
#include "engine/field_bounds.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "measure/analyzer_noise.h"
#include "measure/match.h"

namespace orlavex {

using enum Ctl;

namespace {

std::string text_of(const Calculator& calc, double x) {
    return general_text(x, calc.form.decimal_separator);
}

// The conversions start from the reflection coefficient of the last
// recalculation, not from the text, so switching back and forth never
// accumulates rounding.
void to_return_loss(Calculator& calc, Ctl field, double gamma) {
    const FieldRange& range = field_range(field, ValueForm::return_loss);
    const double rl_max = upper_end(calc.state, range);
    const double v = read_number(calc.form[field].text);
    // A perfect match pairs with the largest return loss.
    const double rl =
        v == 1.0 ? rl_max : limit(round_to(measure::return_loss_db(gamma), 2), 0, rl_max);
    set_text(calc, field, text_of(calc, rl));
    calc.form[field].tooltip = range_tip(calc, range);
}

void to_vswr(Calculator& calc, Ctl field, double gamma) {
    const double v = read_number(calc.form[field].text);
    const double rl_max = upper_end(calc.state, field_range(field, ValueForm::return_loss));
    const double vswr = v == rl_max ? 1.0 : round_to(measure::vswr_from_reflection(gamma), 2);
    set_text(calc, field, text_of(calc, vswr));
    calc.form[field].tooltip = range_tip(calc, field_range(field, ValueForm::vswr));
}

void show_noise(Calculator& calc, std::string text, ValueForm form) {
    set_text(calc, txtSA_Noise, text);
    set_text(calc, lblCalcSANoise, std::move(text));
    calc.form[txtSA_Noise].tooltip = range_tip(calc, field_range(txtSA_Noise, form));
}

}  // namespace

void optDUTIn_RL_Click(Calculator& calc) {
    to_return_loss(calc, txtDUT_InMatch, calc.state.DUT_InGamma);
}
void optDUTIn_VSWR_Click(Calculator& calc) {
    to_vswr(calc, txtDUT_InMatch, calc.state.DUT_InGamma);
}
void optDUTOut_RL_Click(Calculator& calc) {
    to_return_loss(calc, txtDUT_OutMatch, calc.state.DUT_OutGamma);
}
void optDUTOut_VSWR_Click(Calculator& calc) {
    to_vswr(calc, txtDUT_OutMatch, calc.state.DUT_OutGamma);
}
void optSA_InMatch_RL_Click(Calculator& calc) {
    to_return_loss(calc, txtSA_InMatch, calc.state.SA_InGamma);
}
void optSA_InMatch_VSWR_Click(Calculator& calc) {
    to_vswr(calc, txtSA_InMatch, calc.state.SA_InGamma);
}
void optNS_Match_RL_Click(Calculator& calc) {
    to_return_loss(calc, txtNS_Match, calc.state.NS_Gamma);
}
void optNS_Match_VSWR_Click(Calculator& calc) {
    to_vswr(calc, txtNS_Match, calc.state.NS_Gamma);
}

void optSA_Noise_DANL_Click(Calculator& calc) {
    const double nf = read_number(calc.form[txtSA_Noise].text);
    show_noise(calc, text_of(calc, measure::level_from_noise_figure(nf)), ValueForm::noise_level);
}

void optSA_Noise_NF_Click(Calculator& calc) {
    const double danl = read_number(calc.form[txtSA_Noise].text);
    show_noise(calc, text_of(calc, round_to(measure::noise_figure_from_signed_level(danl), 2)),
               ValueForm::noise_figure);
}

}  // namespace orlavex
