// Every input a user can give, one row each: the window's entry fields in
// each of their forms, and the measurement model's own numbers. The command
// line's options, the Python keywords and their docs, the set-up's JSON
// names and the sweep's columns all come from these rows.
#pragma once

#include "core/classic_setup.h"
#include "form/control_id.h"
#include "planning/swept_input.h"

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

namespace orlavex::app {

// What a catalogue model fixes: a field it fixes cannot be entered while a
// model (not "User") is chosen.
enum class FixedBy { nothing, analyzer, noise_source };

// Where an input belongs: the set-up (every command), the prediction only
// (the values a manual evaluation derives), or the measured levels.
enum class Scope { setup, prediction, levels };

// One entry field in one form.
struct FieldInput {
    std::string_view name;  // the Python keyword and the set-up's key: "dut_nf"
    std::string_view flag;  // the command line's option: "--dut-nf"
    std::string_view unit;  // "dB", "GHz", "" for a VSWR
    std::string_view help;  // what it is, for --help and the docstrings
    // The window's start-up value; NaN where the field starts in its other
    // form or empty (the measured levels).
    double start;
    Ctl field;
    double core::ClassicValues::*value;  // the typed set-up's value it is
    Ctl format = Ctl::none;              // the option button that chooses this form
    FixedBy fixed_by = FixedBy::nothing;
    Scope scope = Scope::setup;
    // Its name in a sweep's table and the set-up's JSON, with the unit.
    std::string_view column = {};
    // The sweep variable that varies it, if one does.
    std::optional<planning::SweptInput> swept = {};
};

inline constexpr double no_start = std::numeric_limits<double>::quiet_NaN();

namespace input_rows {

using enum Ctl;
using planning::SweptInput;
using Values = core::ClassicValues;

// In the order the values are entered.
// clang-format off
inline constexpr std::array fields{
    FieldInput{"dut_nf", "--dut-nf", "dB", "DUT noise figure, dB", 8,
        txtDUT_NF, &Values::dut_nf_db, none, FixedBy::nothing, Scope::prediction, "dut_nf_db", SweptInput::dut_nf},
    FieldInput{"dut_gain", "--dut-gain", "dB", "DUT gain, dB", 15,
        txtDUT_Gain, &Values::dut_gain_db, none, FixedBy::nothing, Scope::prediction, "dut_gain_db", SweptInput::dut_gain},
    FieldInput{"dut_in_vswr", "--dut-in-vswr", "", "DUT input match as VSWR", 1,
        txtDUT_InMatch, &Values::dut_in_match, optDUTIn_VSWR, FixedBy::nothing, Scope::setup, "dut_in_vswr", SweptInput::dut_in_match},
    FieldInput{"dut_in_rl", "--dut-in-rl", "dB", "DUT input match as return loss, dB", no_start,
        txtDUT_InMatch, &Values::dut_in_match, optDUTIn_RL, FixedBy::nothing, Scope::setup, "dut_in_rl_db", SweptInput::dut_in_match},
    FieldInput{"dut_out_vswr", "--dut-out-vswr", "", "DUT output match as VSWR", 1,
        txtDUT_OutMatch, &Values::dut_out_match, optDUTOut_VSWR, FixedBy::nothing, Scope::setup, "dut_out_vswr", SweptInput::dut_out_match},
    FieldInput{"dut_out_rl", "--dut-out-rl", "dB", "DUT output match as return loss, dB", no_start,
        txtDUT_OutMatch, &Values::dut_out_match, optDUTOut_RL, FixedBy::nothing, Scope::setup, "dut_out_rl_db", SweptInput::dut_out_match},
    FieldInput{"freq", "--freq", "GHz", "measurement (DUT input) frequency, GHz", 1,
        txtFreq, &Values::freq_ghz, none, FixedBy::nothing, Scope::setup, "freq_ghz", SweptInput::frequency},
    FieldInput{"freq2", "--freq2", "GHz", "DUT output frequency with --freq-conv, GHz", 2,
        txtFreq2, &Values::freq2_ghz, none, FixedBy::nothing, Scope::setup, "freq2_ghz"},
    FieldInput{"enr", "--enr", "dB", "noise source ENR, dB", 15,
        txtENR, &Values::enr_db, none, FixedBy::noise_source, Scope::setup, "enr_db", SweptInput::enr},
    FieldInput{"enr_unc", "--enr-unc", "dB", "ENR uncertainty, dB", 0.1,
        txtENR_Unc, &Values::enr_unc_db, none, FixedBy::nothing, Scope::setup, "enr_unc_db"},
    FieldInput{"source_vswr", "--source-vswr", "", "noise source match as VSWR", 1.15,
        txtNS_Match, &Values::source_match, optNS_Match_VSWR, FixedBy::noise_source, Scope::setup, "source_vswr", SweptInput::source_match},
    FieldInput{"source_rl", "--source-rl", "dB", "noise source match as return loss, dB", no_start,
        txtNS_Match, &Values::source_match, optNS_Match_RL, FixedBy::noise_source, Scope::setup, "source_rl_db", SweptInput::source_match},
    FieldInput{"toff", "--toff", "C", "noise source off (ambient) temperature, degrees C", 16.85,
        txtToff, &Values::toff_c, none, FixedBy::nothing, Scope::setup, "toff_c", SweptInput::toff},
    FieldInput{"analyzer_nf", "--analyzer-nf", "dB", "analyzer noise figure, dB", 11.5,
        txtSA_Noise, &Values::analyzer_noise, optSA_Noise_NF, FixedBy::analyzer, Scope::prediction, "analyzer_own_nf_db", SweptInput::analyzer_nf},
    FieldInput{"analyzer_danl", "--analyzer-danl", "dBm/Hz", "analyzer noise level (DANL), dBm/Hz", no_start,
        txtSA_Noise, &Values::analyzer_noise, optSA_Noise_DANL, FixedBy::analyzer, Scope::prediction, "analyzer_danl_dbm_hz"},
    FieldInput{"analyzer_vswr", "--analyzer-vswr", "", "analyzer input match as VSWR", 1.4,
        txtSA_InMatch, &Values::analyzer_match, optSA_InMatch_VSWR, FixedBy::analyzer, Scope::setup, "analyzer_vswr", SweptInput::analyzer_match},
    FieldInput{"analyzer_rl", "--analyzer-rl", "dB", "analyzer input match as return loss, dB", no_start,
        txtSA_InMatch, &Values::analyzer_match, optSA_InMatch_RL, FixedBy::analyzer, Scope::setup, "analyzer_rl_db", SweptInput::analyzer_match},
    FieldInput{"analyzer_nf_unc", "--analyzer-nf-unc", "dB", "analyzer noise-figure uncertainty, dB", 0.05,
        txtSANFUnc, &Values::analyzer_nf_unc_db, none, FixedBy::analyzer, Scope::setup, "analyzer_nf_unc_db"},
    FieldInput{"analyzer_gain_unc", "--analyzer-gain-unc", "dB", "analyzer level (gain) uncertainty, dB", 0.15,
        txtSAGainUnc, &Values::analyzer_gain_unc_db, none, FixedBy::analyzer, Scope::setup, "analyzer_gain_unc_db"},
    FieldInput{"ext_preamp_gain", "--ext-preamp-gain", "dB", "external preamplifier gain, dB", 20,
        txtExtPA_Gain, &Values::ext_pa_gain_db, none, FixedBy::nothing, Scope::prediction, "ext_preamp_gain_db"},
    FieldInput{"ext_preamp_nf", "--ext-preamp-nf", "dB", "external preamplifier noise figure, dB", 5,
        txtExtPA_NF, &Values::ext_pa_nf_db, none, FixedBy::nothing, Scope::prediction, "ext_preamp_nf_db"},
    FieldInput{"ext_preamp_vswr", "--ext-preamp-vswr", "", "external preamplifier input match as VSWR", 1.5,
        txtSA_InMatch, &Values::ext_pa_match, optSA_InMatch_VSWR, FixedBy::nothing, Scope::prediction, "ext_preamp_vswr"},
    FieldInput{"cal_on", "--cal-on", "dBm", "calibration level, source on, dBm (not with --no-second-stage)", no_start,
        txtCalON, &Values::cal_on_dbm, none, FixedBy::nothing, Scope::levels, "cal_on_dbm"},
    FieldInput{"cal_off", "--cal-off", "dBm", "calibration level, source off, dBm (not with --no-second-stage)", no_start,
        txtCalOFF, &Values::cal_off_dbm, none, FixedBy::nothing, Scope::levels, "cal_off_dbm"},
    FieldInput{"meas_on", "--meas-on", "dBm", "measurement level, source on, dBm", no_start,
        txtMeasON, &Values::meas_on_dbm, none, FixedBy::nothing, Scope::levels, "meas_on_dbm"},
    FieldInput{"meas_off", "--meas-off", "dBm", "measurement level, source off, dBm", no_start,
        txtMeasOFF, &Values::meas_off_dbm, none, FixedBy::nothing, Scope::levels, "meas_off_dbm"},
};
// clang-format on

}  // namespace input_rows

inline constexpr std::size_t field_input_count = input_rows::fields.size();

// In the order the values are entered.
constexpr std::span<const FieldInput> field_inputs() {
    return input_rows::fields;
}

// The row's place in field_inputs().
constexpr std::size_t index_of(const FieldInput& row) {
    return static_cast<std::size_t>(&row - input_rows::fields.data());
}

// By Python keyword ("dut_nf") or by option ("--dut-nf"); nullptr if none.
const FieldInput* find_field_input(std::string_view name_or_flag);

// The two forms of one field (VSWR and return loss, noise figure and noise
// level) exclude each other.
constexpr bool same_field_other_form(const FieldInput& a, const FieldInput& b) {
    return &a != &b && a.value == b.value;
}

// Does COMMAND's scope take ROW? Point, sweep and advise take the set-up and
// the prediction; evaluate takes the set-up and the levels.
constexpr bool takes(Scope command, const FieldInput& row) {
    return row.scope == Scope::setup || row.scope == command;
}

}  // namespace orlavex::app
