#include "app/inputs/window_setup_reading.h"

#include "app/inputs/catalogue_names.h"
#include "catalogue/catalogue.h"
#include "engine/classic_reading.h"
#include "engine/controls.h"
#include "engine/field_values.h"
#include "form/layout.h"

namespace orlavex::app {

using enum Ctl;

namespace {

bool is_ext_preamp_row(const FieldInput& row) {
    return row.value == &core::ClassicValues::ext_pa_gain_db ||
           row.value == &core::ClassicValues::ext_pa_nf_db ||
           row.value == &core::ClassicValues::ext_pa_match;
}

// Whether ROW is one the set-up carries for the window SETUP describes.
bool carries(const Calculator& calc, const Setup& setup, const FieldInput& row) {
    // With measured levels the window derives what a prediction takes in.
    if (row.scope == (setup.manual ? Scope::prediction : Scope::levels)) return false;
    if (row.field == txtFreq2 && !setup.freq_conv) return false;
    if (is_ext_preamp_row(row) && !setup.ext_preamp) return false;
    if (row.format != Ctl::none && !is_selected(calc, row.format)) return false;
    if (row.fixed_by == FixedBy::analyzer && !is_user(analyzer_name(setup))) return false;
    if (row.fixed_by == FixedBy::noise_source && !is_user(noise_source_name(setup))) return false;
    return calc.form[row.field].enabled;
}

// The preamplifier in use, for analyzers that offer two.
std::optional<int> preamp_option(const Calculator& calc) {
    const catalogue::AnalyzerModel* model = catalogue::find_analyzer(calc.form[lblSAsel].text);
    if (model == nullptr || catalogue::preamp_kind(*model) != catalogue::Preamp::options)
        return std::nullopt;
    return calc.form[item(mnuIntPA, 1)].checked ? 1 : 0;
}

}  // namespace

Setup read_setup(const Calculator& calc) {
    Setup setup;
    setup.analyzer = calc.form[lblSAsel].text;
    setup.noise_source = calc.form[lblNSsel].text;
    setup.int_preamp = is_ticked(calc, chkIntPA);
    if (setup.int_preamp) setup.int_preamp_option = preamp_option(calc);
    setup.ext_preamp = is_ticked(calc, chkExtPA);
    setup.freq_conv = is_ticked(calc, chkFreqConv);
    setup.second_stage = is_checked(calc, mnu2ndStage);
    setup.manual = is_ticked(calc, chkUseManMeas);
    for (const FieldInput& row : field_inputs()) {
        if (carries(calc, setup, row))
            setup[row] = held_value(row.field, calc.state.*state_value(row.value));
    }
    return setup;
}

}  // namespace orlavex::app
