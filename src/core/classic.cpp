#include "core/classic.h"

#include "core/classic_inputs.h"
#include "core/classic_levels.h"
#include "core/number_text.h"
#include "core/numeric.h"
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/classic_uncertainty.h"
#include "measure/guidelines.h"
#include "measure/match.h"
#include "measure/y_factor.h"

#include <cmath>
#include <optional>

namespace orlavex::core {

namespace {

bool is_vswr(MatchForm form) {
    return form == MatchForm::vswr;
}

// The reflections, the analyzer chain and the noise source, ahead of the
// prediction or the manual evaluation.
void compute_common(ClassicResult& r) {
    const ClassicValues& v = r.used.values;
    const ClassicChoices& c = r.used.choices;
    r.gamma.dut_in = measure::reflection(v.dut_in_match, is_vswr(c.dut_in_form));
    r.gamma.dut_out = measure::reflection(v.dut_out_match, is_vswr(c.dut_out_form));
    r.f_sa = net_analyzer_factor(c, v.analyzer_noise, v.ext_pa_nf_db, v.ext_pa_gain_db);
    r.nf_sa_given_db = db(r.f_sa);
    r.figures.nf_sa_net_db = r.nf_sa_given_db;
    r.gamma.analyzer = measure::reflection(c.ext_preamp ? v.ext_pa_match : v.analyzer_match,
                                           is_vswr(c.analyzer_form));
    r.gamma.source = measure::reflection(v.source_match, is_vswr(c.source_form));

    r.toff_k = v.toff_c + measure::kelvin_offset;
    r.toff_f = v.toff_c * 1.8 + 32;
    r.enr_eff_db = measure::effective_enr_db(v.enr_db, r.toff_k);
    r.pon_db = measure::source_on_power_db(v.enr_db);
    r.figures.enr_eff_db = r.enr_eff_db;
    r.ton_k = measure::on_temperature_k(r.enr_eff_db, r.toff_k);
}

// Levels the analyzer would show, in dBm per MHz.
void predict_levels(ClassicResult& r) {
    ClassicValues& v = r.used.values;
    if (r.used.choices.second_stage) {
        v.cal_off_dbm = r.nf_sa_net_db + measure::kT0_dBm_Hz + measure::one_MHz_dB;
        v.cal_on_dbm = v.cal_off_dbm + r.ycal_db;
        // (Ycal - 1) / (Ymeas - 1) is F_sys / F_sa; a Y factor too close to 1
        // to tell apart from it leaves only the noise figures to take it from.
        const double meas_excess = lin(r.ymeas_db) - 1;
        const double ratio_db =
            meas_excess > 0 ? db((lin(r.ycal_db) - 1) / meas_excess) : r.nf_sys_db - r.nf_sa_net_db;
        v.meas_off_dbm = v.cal_off_dbm + v.dut_gain_db + ratio_db;
        v.meas_on_dbm = r.ymeas_db + v.meas_off_dbm;
    } else {
        v.meas_off_dbm = r.nf_sys_db + measure::kT0_dBm_Hz + v.dut_gain_db + measure::one_MHz_dB;
        v.meas_on_dbm = v.meas_off_dbm + r.ymeas_db;
    }
}

// Prediction from the DUT's noise figure and gain; false for a DUT that
// cannot exist.
bool predict(ClassicResult& r) {
    ClassicValues& v = r.used.values;
    // The values as their fields hold them.
    v.dut_nf_db = shown_value(round_to(v.dut_nf_db, 2));
    v.dut_gain_db = shown_value(round_to(v.dut_gain_db, 2));
    // A DUT whose noise figure is below its loss cannot exist.
    if (-v.dut_nf_db > v.dut_gain_db) {
        r.end = ClassicEnd::invalid_dut;
        return false;
    }
    r.f_sa = net_analyzer_factor(r.used.choices, shown_value(round_to(v.analyzer_noise, 2)),
                                 shown_value(v.ext_pa_nf_db), shown_value(v.ext_pa_gain_db));
    r.nf_sa_net_db = db(r.f_sa);
    r.ycal_db = measure::y_factor_db(r.enr_eff_db, r.nf_sa_net_db);
    r.f_sys = measure::cascade(lin(v.dut_nf_db), r.f_sa, lin(v.dut_gain_db));
    r.nf_sys_db = db(r.f_sys);
    r.ymeas_db = measure::y_factor_db(r.enr_eff_db, r.nf_sys_db);
    predict_levels(r);

    ClassicFigures& f = r.figures;
    f.ycal_db = r.ycal_db;
    f.ymeas_db = r.ymeas_db;
    f.nf_sys_db = r.nf_sys_db;
    f.nf_sa_net_db = r.nf_sa_net_db;
    f.cal_on_dbm = v.cal_on_dbm;
    f.cal_off_dbm = v.cal_off_dbm;
    f.meas_on_dbm = v.meas_on_dbm;
    f.meas_off_dbm = v.meas_off_dbm;
    return true;
}

void rate_guidelines(ClassicResult& r) {
    const ClassicValues& v = r.used.values;
    const auto margins =
        measure::guideline_margins_db(v.dut_nf_db, v.dut_gain_db, r.nf_sa_net_db, r.enr_eff_db);
    for (std::size_t i = 0; i < margins.size(); ++i) {
        const measure::GuidelineRule& rule = measure::guideline_rules[i];
        // The lamp is rated on the margin as its text shows it, so that
        // 3.999999999999998 reads "4 dB" and lights yellow, not red.
        const double shown = round_to(margins[i], 2);
        r.figures.margin_db[i] = shown;
        r.figures.lamp[i] = shown >= rule.green_from    ? Lamp::green
                            : shown >= rule.yellow_from ? Lamp::yellow
                                                        : Lamp::red;
    }
}

void compute_uncertainty(ClassicResult& r) {
    const measure::ClassicUncertainty u = measure::classic_uncertainty(model_setup(r), r.f_sa);
    r.nf_bias_db = u.bias_db;
    r.nf_unc_db = u.rss_db.value_or(no_uncertainty);
    // A passive DUT cannot have a noise figure below its loss (as the fields
    // show them).
    const ClassicValues& v = r.used.values;
    if (v.dut_gain_db < 0 && round_to(v.dut_nf_db, 2) < round_to(-v.dut_gain_db, 2)) {
        r.nf_unc_db = no_uncertainty;
    }
}

}  // namespace

ClassicResult classic_figures(const ClassicSetup& setup) {
    ClassicResult r;
    r.used = setup;
    apply_catalogues(r);
    bound_values(r);
    compute_common(r);
    r.figures.manual = r.used.choices.manual;
    const bool ok = r.used.choices.manual ? evaluate_levels(r) : predict(r);
    if (!ok) {
        r.nf_unc_db = no_uncertainty;
        return r;
    }
    rate_guidelines(r);
    compute_uncertainty(r);
    r.figures.valid = true;
    if (r.nf_unc_db != no_uncertainty) r.figures.rss_db = r.nf_unc_db;
    r.figures.bias_db = r.nf_bias_db;
    return r;
}

double net_analyzer_factor(const ClassicChoices& choices, double noise, double pa_nf_db,
                           double pa_gain_db) {
    const measure::NoiseForm form = choices.analyzer_noise_as_nf ? measure::NoiseForm::noise_figure
                                                                 : measure::NoiseForm::noise_level;
    std::optional<measure::ExternalPreamp> preamp;
    if (choices.ext_preamp) preamp = measure::ExternalPreamp{pa_nf_db, pa_gain_db};
    return measure::net_analyzer_factor(measure::analyzer_noise_figure(noise, form), preamp);
}

measure::MeasurementSetup model_setup(const ClassicResult& r) {
    const ClassicValues& v = r.used.values;
    const ClassicChoices& c = r.used.choices;
    measure::MeasurementSetup setup;
    setup.dut_nf_db = v.dut_nf_db;
    setup.dut_gain_db = v.dut_gain_db;
    setup.enr_cal_db = v.enr_db;
    setup.enr_meas_db = v.enr_db;
    setup.enr_unc_db = v.enr_unc_db;
    setup.tc_k = r.toff_k;
    setup.analyzer_nf_db = r.figures.nf_sa_net_db;
    if (std::isnan(setup.analyzer_nf_db)) {
        setup.analyzer_nf_db =
            db(net_analyzer_factor(c, v.analyzer_noise, v.ext_pa_nf_db, v.ext_pa_gain_db));
    }
    setup.gamma_source = r.gamma.source;
    setup.gamma_dut_in = r.gamma.dut_in;
    setup.gamma_dut_out = r.gamma.dut_out;
    setup.gamma_analyzer = r.gamma.analyzer;
    setup.analyzer_nf_unc_db = v.analyzer_nf_unc_db;
    setup.analyzer_gain_unc_db = v.analyzer_gain_unc_db;
    setup.second_stage = c.second_stage;
    setup.freq_converting = c.freq_conv;
    return setup;
}

}  // namespace orlavex::core
