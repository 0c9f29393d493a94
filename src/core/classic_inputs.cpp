#include "core/classic_inputs.h"

#include "core/number_text.h"
#include "core/numeric.h"
#include "form/field_ranges.h"

#include <algorithm>
#include <utility>

namespace orlavex::core {

namespace {

void apply_analyzer(ClassicResult& r) {
    ClassicValues& v = r.used.values;
    ClassicChoices& c = r.used.choices;
    const catalogue::AnalyzerModel* model = c.analyzer;
    if (model == nullptr) {
        c.int_preamp = false;
        r.analyzer_freq_max_ghz = user_frequency_limit_ghz;
        return;
    }
    // Behind a frequency-converting DUT the analyzer sees the output frequency.
    const double f = c.freq_conv ? v.freq2_ghz : v.freq_ghz;
    const bool preamp_on = c.int_preamp;  // before a model without one clears it
    // Catalogue noise is always a guaranteed noise level (DANL); the match
    // field then holds the analyzer's VSWR unless it holds the external
    // preamplifier's.
    c.analyzer_noise_as_nf = false;
    if (!c.ext_preamp) c.analyzer_form = MatchForm::vswr;
    if (catalogue::preamp_kind(*model) == catalogue::Preamp::none) c.int_preamp = false;
    r.analyzer_freq_max_ghz = catalogue::upper_frequency(*model);
    const bool option0 =
        catalogue::preamp_kind(*model) == catalogue::Preamp::options && c.preamp_option0;
    if (!c.ext_preamp) v.analyzer_match = catalogue::analyzer_input_vswr(*model, f);
    v.analyzer_noise = catalogue::analyzer_noise(*model, f, preamp_on, option0);
}

void apply_source(ClassicResult& r) {
    ClassicChoices& c = r.used.choices;
    const catalogue::NoiseSourceModel* model = c.noise_source;
    if (model == nullptr) {
        r.source_freq_max_ghz = user_frequency_limit_ghz;
        return;
    }
    c.source_form = MatchForm::vswr;
    // The noise source always sees the DUT's input frequency.
    r.source_freq_max_ghz = catalogue::upper_frequency(*model);
    // The match as its field's text reads back.
    r.used.values.source_match =
        shown_value(catalogue::output_vswr(*model, r.used.values.freq_ghz));
}

ValueForm match_form(MatchForm form) {
    return form == MatchForm::vswr ? ValueForm::vswr : ValueForm::return_loss;
}

// Holds X to the range of FIELD in FORM.
void hold(const ClassicResult& r, double& x, Ctl field, ValueForm form = ValueForm::plain) {
    const FieldRange& range = field_range(field, form);
    x = limit(x, range.min, upper_end(r, range));
}

}  // namespace

double upper_end(const ClassicResult& r, const FieldRange& range) {
    return range_upper_end(range,
                           {r.freq_max_ghz, r.analyzer_freq_max_ghz, r.used.return_loss_max_db});
}

ValueForm field_form(const ClassicChoices& c, Ctl field) {
    using enum Ctl;
    switch (field) {
        case txtDUT_InMatch:
            return match_form(c.dut_in_form);
        case txtDUT_OutMatch:
            return match_form(c.dut_out_form);
        case txtNS_Match:
            return match_form(c.source_form);
        case txtSA_InMatch:
            return match_form(c.analyzer_form);
        case txtSA_Noise:
            return c.analyzer_noise_as_nf ? ValueForm::noise_figure : ValueForm::noise_level;
        default:
            return ValueForm::plain;
    }
}

double range_upper_end(const FieldRange& range, const UpperLimits& limits) {
    switch (range.upper) {
        case UpperEnd::frequency_limit:
            return limits.freq_max_ghz;
        case UpperEnd::analyzer_frequency_limit:
            return limits.analyzer_freq_max_ghz;
        case UpperEnd::return_loss_limit:
            return limits.return_loss_max_db;
        case UpperEnd::fixed:
            break;
    }
    return range.max;
}

void apply_catalogues(ClassicResult& result) {
    apply_analyzer(result);
    apply_source(result);
    const ClassicChoices& c = result.used.choices;
    result.freq_max_ghz = c.freq_conv
                              ? result.source_freq_max_ghz
                              : std::min(result.analyzer_freq_max_ghz, result.source_freq_max_ghz);
}

void bound_values(ClassicResult& r) {
    using enum Ctl;
    ClassicValues& v = r.used.values;
    const ClassicChoices& c = r.used.choices;
    hold(r, v.dut_in_match, txtDUT_InMatch, match_form(c.dut_in_form));
    hold(r, v.dut_out_match, txtDUT_OutMatch, match_form(c.dut_out_form));
    hold(r, v.source_match, txtNS_Match, match_form(c.source_form));
    hold(r, v.enr_unc_db, txtENR_Unc);
    hold(r, v.analyzer_noise, txtSA_Noise,
         c.analyzer_noise_as_nf ? ValueForm::noise_figure : ValueForm::noise_level);
    hold(r, v.freq_ghz, txtFreq);
    hold(r, v.freq2_ghz, txtFreq2);
    hold(r, v.dut_nf_db, txtDUT_NF);
    hold(r, v.dut_gain_db, txtDUT_Gain);
    hold(r, v.ext_pa_gain_db, txtExtPA_Gain);
    hold(r, v.ext_pa_nf_db, txtExtPA_NF);
    hold(r, v.analyzer_gain_unc_db, txtSAGainUnc);
    hold(r, v.analyzer_nf_unc_db, txtSANFUnc);
    // One field holds both matches, in one form.
    hold(r, v.analyzer_match, txtSA_InMatch, match_form(c.analyzer_form));
    hold(r, v.ext_pa_match, txtSA_InMatch, match_form(c.analyzer_form));
    hold(r, v.enr_db, txtENR);
    hold(r, v.toff_c, txtToff);
    for (auto [level, field] : {std::pair{&v.cal_on_dbm, txtCalON},
                                {&v.cal_off_dbm, txtCalOFF},
                                {&v.meas_on_dbm, txtMeasON},
                                {&v.meas_off_dbm, txtMeasOFF}}) {
        hold(r, *level, field);
    }
}

ClassicValues as_fields_hold(const ClassicValues& values) {
    ClassicValues v = values;
    for (double* x : {&v.dut_nf_db, &v.dut_gain_db, &v.analyzer_noise})
        *x = round_to(*x, 2);
    for (double* x : {&v.cal_on_dbm, &v.cal_off_dbm, &v.meas_on_dbm, &v.meas_off_dbm})
        *x = round_to(*x, 3);
    for (double* x :
         {&v.dut_in_match,      &v.dut_out_match,  &v.source_match,   &v.analyzer_match,
          &v.ext_pa_match,      &v.enr_unc_db,     &v.analyzer_noise, &v.freq_ghz,
          &v.freq2_ghz,         &v.dut_gain_db,    &v.enr_db,         &v.toff_c,
          &v.cal_on_dbm,        &v.cal_off_dbm,    &v.meas_on_dbm,    &v.meas_off_dbm,
          &v.dut_nf_db,         &v.ext_pa_gain_db, &v.ext_pa_nf_db,   &v.analyzer_gain_unc_db,
          &v.analyzer_nf_unc_db})
        *x = shown_value(*x);
    return v;
}

}  // namespace orlavex::core
