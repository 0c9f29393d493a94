// The calculator's set-up as numbers and choices: what the classic figures
// are computed from, whichever front-end holds it. Values are in the units
// the calculator's fields take; start-up values are the window's.
#pragma once

#include "catalogue/catalogue.h"

#include <cstdint>
#include <string_view>

namespace orlavex::core {

// A match is given as a VSWR or as a return loss in dB.
enum class MatchForm : std::uint8_t { vswr, return_loss };

struct ClassicValues {
    double dut_in_match = 1.0;  // in the form of ClassicChoices::dut_in_form
    double dut_out_match = 1.0;
    double source_match = 1.15;
    double analyzer_match = 1.4;  // the analyzer's input, used without "Ext PA"
    double ext_pa_match = 1.5;    // the external preamplifier's input, used with it
    double enr_unc_db = 0.1;
    double analyzer_noise = 11.5;  // dB noise figure, or dBm/Hz noise level
    double freq_ghz = 1.0;         // at the DUT's input
    double freq2_ghz = 2.0;        // at a converting DUT's output
    double dut_gain_db = 15.0;
    double enr_db = 15.0;
    double toff_c = 16.85;  // so that the off temperature is 290 K
    // Measured levels in dBm, for the manual evaluation; the start-up levels
    // give back NFsa 11.5 dB, gain 15 dB and DUT noise figure 8 dB.
    double cal_on_dbm = -108.896;
    double cal_off_dbm = -114.0;
    double meas_on_dbm = -94.663;
    double meas_off_dbm = -102.223;
    double dut_nf_db = 8.0;
    double ext_pa_gain_db = 20.0;
    double ext_pa_nf_db = 5.0;
    double analyzer_gain_unc_db = 0.15;
    double analyzer_nf_unc_db = 0.05;
};

struct ClassicChoices {
    const catalogue::AnalyzerModel* analyzer = nullptr;         // nullptr: "User"
    const catalogue::NoiseSourceModel* noise_source = nullptr;  // nullptr: "User"
    bool int_preamp = false;
    // For analyzers with two internal preamplifiers: option 0 is in use (as
    // at start-up).
    bool preamp_option0 = true;
    bool ext_preamp = false;
    bool freq_conv = false;
    bool second_stage = true;
    bool manual = false;  // evaluate the four measured levels instead of predicting them
    MatchForm dut_in_form = MatchForm::vswr;
    MatchForm dut_out_form = MatchForm::vswr;
    MatchForm source_form = MatchForm::vswr;
    MatchForm analyzer_form = MatchForm::vswr;  // the analyzer's or the external preamp's
    bool analyzer_noise_as_nf = true;           // else a noise level in dBm/Hz

    bool operator==(const ClassicChoices&) const = default;
};

// The name of the model chosen, or "User".
inline constexpr std::string_view user_model = "User";
inline std::string_view analyzer_name(const ClassicChoices& c) {
    return c.analyzer != nullptr ? catalogue::model_name(*c.analyzer) : user_model;
}
inline std::string_view noise_source_name(const ClassicChoices& c) {
    return c.noise_source != nullptr ? catalogue::model_name(*c.noise_source) : user_model;
}

// The upper end of a return loss (but the DUT input's), dB.
inline constexpr double return_loss_limit_db = 50.0;
// The frequency limit of a user-defined analyzer or noise source, GHz.
inline constexpr double user_frequency_limit_ghz = 999.0;

struct ClassicSetup {
    ClassicValues values;
    ClassicChoices choices;
    double return_loss_max_db = return_loss_limit_db;
};

}  // namespace orlavex::core
