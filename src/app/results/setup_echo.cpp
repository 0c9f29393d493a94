#include "app/results/setup_echo.h"

#include "app/inputs/reflection_text.h"

namespace orlavex::app {

namespace {

// A match as the window holds it: VSWR or return loss in dB.
Json match_json(bool vswr, double value) {
    if (vswr) return {{"vswr", value}};
    return {{"rl_db", value}};
}

}  // namespace

UsedSetup used_setup(const core::ClassicResult& result, const Setup& setup) {
    UsedSetup u;
    u.values = result.used.values;
    const core::ClassicChoices& c = result.used.choices;
    u.manual = c.manual;
    u.analyzer = u.manual ? std::string("User") : analyzer_name(setup);
    u.noise_source = noise_source_name(setup);
    u.converting = c.freq_conv;
    u.int_preamp = c.int_preamp;
    // Models with two preamplifiers: the one in use, where the set-up named one.
    if (u.int_preamp && setup.int_preamp_option) u.int_preamp_option = c.preamp_option0 ? 0 : 1;
    u.ext_preamp = c.ext_preamp;
    u.dut_in_vswr = c.dut_in_form == core::MatchForm::vswr;
    u.dut_out_vswr = c.dut_out_form == core::MatchForm::vswr;
    u.source_vswr = c.source_form == core::MatchForm::vswr;
    u.analyzer_vswr = c.analyzer_form == core::MatchForm::vswr;
    u.analyzer_noise_as_nf = c.analyzer_noise_as_nf;
    u.second_stage = c.second_stage;
    return u;
}

Json setup_json(const UsedSetup& u) {
    const core::ClassicValues& s = u.values;
    Json j;
    if (u.manual) {
        // The levels take the place of the DUT and analyzer noise, which
        // the evaluation derives.
        // Without second-stage correction nobody gives calibration levels.
        const auto calibration = [&](double x) { return u.second_stage ? Json(x) : Json(nullptr); };
        j["levels_dbm"] = {{"cal_on", calibration(s.cal_on_dbm)},
                           {"cal_off", calibration(s.cal_off_dbm)},
                           {"meas_on", s.meas_on_dbm},
                           {"meas_off", s.meas_off_dbm}};
    } else {
        j["dut_nf_db"] = s.dut_nf_db;
        j["dut_gain_db"] = s.dut_gain_db;
    }
    j["dut_in_match"] = match_json(u.dut_in_vswr, s.dut_in_match);
    j["dut_out_match"] = match_json(u.dut_out_vswr, s.dut_out_match);
    j["freq_ghz"] = s.freq_ghz;
    j["freq_conv"] = u.converting;
    j["freq2_ghz"] = u.converting ? Json(s.freq2_ghz) : Json(nullptr);
    j["noise_source"] = u.noise_source;
    j["enr_db"] = s.enr_db;
    j["enr_unc_db"] = s.enr_unc_db;
    j["source_match"] = match_json(u.source_vswr, s.source_match);
    j["toff_c"] = s.toff_c;
    j["analyzer"] = u.analyzer;
    if (!u.manual) {
        j["int_preamp"] = u.int_preamp;
        if (u.int_preamp_option) j["int_preamp_option"] = *u.int_preamp_option;
        if (u.analyzer_noise_as_nf) {
            j["analyzer_noise"] = {{"nf_db", s.analyzer_noise}};
        } else {
            j["analyzer_noise"] = {{"danl_dbm_hz", s.analyzer_noise}};
        }
    }
    j["analyzer_match"] = match_json(u.analyzer_vswr, s.analyzer_match);
    j["analyzer_nf_unc_db"] = s.analyzer_nf_unc_db;
    j["analyzer_gain_unc_db"] = s.analyzer_gain_unc_db;
    if (u.manual) {
        // Manual levels come from the analyzer alone.
    } else if (u.ext_preamp) {
        j["ext_preamp"] = {{"gain_db", s.ext_pa_gain_db},
                           {"nf_db", s.ext_pa_nf_db},
                           {"match", match_json(u.analyzer_vswr, s.ext_pa_match)}};
    } else {
        j["ext_preamp"] = nullptr;
    }
    j["second_stage"] = u.second_stage;
    return j;
}

void add_model_json(Json& inputs, const measure::ModelOptions& model) {
    for (const ModelInput& row : model_inputs) {
        if (row.kind == ModelValue::not_negative) inputs[row.key] = model.*row.number;
        if (row.kind == ModelValue::choice) inputs[row.key] = choice_name(row, model);
        if (row.kind == ModelValue::optional_number)
            inputs[row.key] = model.*row.optional ? Json(*(model.*row.optional)) : Json(nullptr);
    }
    // The typed reflections where they are given: a result without them
    // reads as before.
    for (const ModelInput& row : typed_reflection_inputs) {
        if (at_default(row, model)) continue;
        if (row.kind == ModelValue::optional_number) inputs[row.key] = *(model.*row.optional);
        if (row.kind == ModelValue::reflection)
            inputs[row.key] = reflection_json(*(model.*row.reflection));
    }
}

Json reflection_json(std::complex<double> gamma) {
    return Json::array({std::abs(gamma), reflection_degrees(gamma)});
}

}  // namespace orlavex::app
