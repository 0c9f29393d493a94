#include "app/results/setup_echo.h"

#include "engine/classic_reading.h"

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
    adopt_classic_result(u.state, result);
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
    const CalcState& s = u.state;
    Json j;
    if (u.manual) {
        // The levels take the place of the DUT and analyzer noise, which
        // the evaluation derives.
        // Without second-stage correction nobody gives calibration levels.
        const auto calibration = [&](double x) { return u.second_stage ? Json(x) : Json(nullptr); };
        j["levels_dbm"] = {{"cal_on", calibration(s.CalON)},
                           {"cal_off", calibration(s.CalOFF)},
                           {"meas_on", s.MeasON},
                           {"meas_off", s.MeasOFF}};
    } else {
        j["dut_nf_db"] = s.DUT_NF;
        j["dut_gain_db"] = s.DUT_Gain;
    }
    j["dut_in_match"] = match_json(u.dut_in_vswr, s.DUT_InMatch);
    j["dut_out_match"] = match_json(u.dut_out_vswr, s.DUT_OutMatch);
    j["freq_ghz"] = s.Freq;
    j["freq_conv"] = u.converting;
    j["freq2_ghz"] = u.converting ? Json(s.Freq2) : Json(nullptr);
    j["noise_source"] = u.noise_source;
    j["enr_db"] = s.ENR;
    j["enr_unc_db"] = s.ENR_Unc;
    j["source_match"] = match_json(u.source_vswr, s.NS_Match);
    j["toff_c"] = s.Toff;
    j["analyzer"] = u.analyzer;
    if (!u.manual) {
        j["int_preamp"] = u.int_preamp;
        if (u.int_preamp_option) j["int_preamp_option"] = *u.int_preamp_option;
        if (u.analyzer_noise_as_nf) {
            j["analyzer_noise"] = {{"nf_db", s.SA_Noise}};
        } else {
            j["analyzer_noise"] = {{"danl_dbm_hz", s.SA_Noise}};
        }
    }
    j["analyzer_match"] = match_json(u.analyzer_vswr, s.SA_InMatch);
    j["analyzer_nf_unc_db"] = s.SANFUnc;
    j["analyzer_gain_unc_db"] = s.SAGainUnc;
    if (u.manual) {
        // Manual levels come from the analyzer alone.
    } else if (u.ext_preamp) {
        j["ext_preamp"] = {{"gain_db", s.ExtPA_Gain},
                           {"nf_db", s.ExtPA_NF},
                           {"match", match_json(u.analyzer_vswr, s.ExtPA_InMatch)}};
    } else {
        j["ext_preamp"] = nullptr;
    }
    j["second_stage"] = u.second_stage;
    return j;
}

}  // namespace orlavex::app
