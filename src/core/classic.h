// The calculator's classic figures computed from a typed set-up: the
// catalogue values that apply, the bounds the calculator holds each value
// to, the prediction (or the evaluation of four measured levels), the
// guideline lamps and the root-sum-square uncertainty. The window, the
// command line, the Python module and the planner all compute through this
// one function.
#pragma once

#include "core/classic_figures.h"
#include "core/classic_setup.h"
#include "measure/setup.h"

namespace orlavex::core {

// The uncertainty is not available (the window shows "- - -").
inline constexpr double no_uncertainty = 999.0;

// How the computation ended.
enum class ClassicEnd : std::uint8_t {
    complete,     // figures, lamps and uncertainty
    invalid_dut,  // a noise figure below the DUT's loss: nothing predicted
    uncorrected,  // manual levels without second-stage correction
    level_error,  // manual levels that give no result
};

// The reflection magnitudes of the four ports.
struct Reflections {
    double dut_in = 0, dut_out = 0, analyzer = 0, source = 0;
};

struct ClassicResult {
    // The set-up as used: catalogue values applied, every value held to its
    // range, the DUT's noise figure and gain as their fields hold them, the
    // levels predicted (or the DUT and analyzer evaluated in manual mode).
    ClassicSetup used;
    // The upper frequency limits that applied, GHz.
    double analyzer_freq_max_ghz = 0, source_freq_max_ghz = 0, freq_max_ghz = 0;
    Reflections gamma;
    double toff_k = 0, toff_f = 0;  // the off temperature in K and degrees F
    double enr_eff_db = 0;          // ENR corrected for the off temperature
    double pon_db = 0;              // source-on power over kT0B
    double ton_k = 0;
    // The net analyzer noise figure of the analyzer fields as given, before
    // the prediction reads them as their fields hold them.
    double nf_sa_given_db = 0;
    double f_sa = 1;  // net analyzer noise factor the figures were computed with
    double nf_sa_net_db = 0;
    double ycal_db = 0, ymeas_db = 0;
    double f_sys = 1, nf_sys_db = 0;
    ClassicEnd end = ClassicEnd::complete;
    // Manual mode: which Y factor is unusable, and why the evaluation failed.
    bool cal_error = false, meas_error = false;
    bool cal_above_meas = false;  // Cal OFF >= Meas OFF
    bool negative_nf = false;     // the levels give a DUT noise figure below 0 dB
    double nf_unc_db = no_uncertainty;
    double nf_bias_db = 0;
    ClassicFigures figures;
};

ClassicResult classic_figures(const ClassicSetup& setup);

// The measurement set-up of the extended model that RESULT implies: the DUT,
// ENR (at both frequencies), ENR uncertainty, off temperature, the net
// analyzer noise figure the figures were computed with (where there was
// none, the one the analyzer values give), the four reflections, the
// analyzer's uncertainties, the correction and the conversion.
measure::MeasurementSetup model_setup(const ClassicResult& result);

// VALUES as the calculator's fields hold them once written back: the DUT's
// noise figure and gain and the analyzer noise to 2 decimals, the levels to
// 3, every value to the 15 significant digits a field shows.
ClassicValues as_fields_hold(const ClassicValues& values);

// The net analyzer noise factor of analyzer noise NOISE (in the form the
// choices give) behind the external preamplifier of PA_NF_DB and PA_GAIN_DB
// when it is in use.
double net_analyzer_factor(const ClassicChoices& choices, double noise, double pa_nf_db,
                           double pa_gain_db);

}  // namespace orlavex::core
