#include "core/classic_levels.h"

#include "core/number_text.h"
#include "core/numeric.h"
#include "measure/analyzer_noise.h"
#include "measure/cascade.h"
#include "measure/y_factor.h"

namespace orlavex::core {

namespace {

// A Y factor so close to 1 that lin(Y) - 1 vanishes carries no information;
// it is treated like a Y factor of 1 instead of taking a logarithm of 0.
bool is_usable_y(double y_db) {
    return y_db > 0 && lin(y_db) - 1 > 0;
}

void fail(ClassicResult& r, ClassicEnd end, bool analyzer_unknown) {
    r.end = end;
    if (analyzer_unknown) r.figures.nf_sa_net_db = not_computed;
}

// The system noise figure from the measurement's Y factor; false when the
// levels give none.
bool evaluate_measurement(ClassicResult& r) {
    const ClassicValues& v = r.used.values;
    r.ymeas_db = v.meas_on_dbm - v.meas_off_dbm;
    r.figures.ymeas_db = r.ymeas_db;
    r.meas_error = !is_usable_y(r.ymeas_db);
    if (r.meas_error) {
        r.figures.error = "Error: Meas OFF >= Meas ON";
        return false;
    }
    r.nf_sys_db = measure::noise_figure_from_y_db(r.enr_eff_db, r.ymeas_db);
    r.figures.nf_sys_db = r.nf_sys_db;
    return true;
}

// The analyzer's noise figure from the calibration's Y factor; false when
// the levels give none.
bool evaluate_calibration(ClassicResult& r) {
    ClassicValues& v = r.used.values;
    r.ycal_db = v.cal_on_dbm - v.cal_off_dbm;
    r.figures.ycal_db = r.ycal_db;
    r.cal_error = !is_usable_y(r.ycal_db);
    if (r.cal_error) {
        r.figures.error = "Error: Cal OFF >= Cal ON";
        r.figures.nf_sa_net_db = not_computed;
        return false;
    }
    r.nf_sa_net_db = measure::noise_figure_from_y_db(r.enr_eff_db, r.ycal_db);
    r.f_sa = lin(r.nf_sa_net_db);
    r.figures.nf_sa_net_db = r.nf_sa_net_db;
    // The measured value replaces the analyzer noise input.
    v.analyzer_noise = r.used.choices.analyzer_noise_as_nf
                           ? r.nf_sa_net_db
                           : measure::level_from_noise_figure(r.nf_sa_net_db);
    return true;
}

}  // namespace

bool evaluate_levels(ClassicResult& r) {
    ClassicValues& v = r.used.values;
    ClassicFigures& f = r.figures;
    f.cal_on_dbm = v.cal_on_dbm;
    f.cal_off_dbm = v.cal_off_dbm;
    f.meas_on_dbm = v.meas_on_dbm;
    f.meas_off_dbm = v.meas_off_dbm;

    const bool meas_ok = evaluate_measurement(r);
    if (!r.used.choices.second_stage) {
        // Without the calibration step only the system noise figure is known.
        f.error =
            "Uncertainty not available for manual measurement values when 2nd Stage "
            "Correction is off";
        r.end = ClassicEnd::uncorrected;
        return false;
    }
    const bool cal_ok = evaluate_calibration(r);
    const bool cal_above_meas = v.cal_off_dbm >= v.meas_off_dbm;
    if (!meas_ok || !cal_ok) {
        fail(r, ClassicEnd::level_error, true);
        return false;
    }
    const double gain =
        measure::gain_from_levels(v.cal_on_dbm, v.cal_off_dbm, v.meas_on_dbm, v.meas_off_dbm);
    v.dut_gain_db = db(gain);
    // Second-stage correction.
    const double f_dut = measure::remove_second_stage(lin(r.nf_sys_db), r.f_sa, gain);
    if (cal_above_meas) {
        r.cal_above_meas = true;
        f.error = "Error: Cal OFF >= Meas OFF";
        fail(r, ClassicEnd::level_error, true);
        return false;
    }
    if (f_dut > 0) v.dut_nf_db = round_to(db(f_dut), 5);
    if (f_dut <= 0 || v.dut_nf_db < 0) {
        r.negative_nf = true;
        f.error = "Error: Levels indicate NFdut < 0";
        fail(r, ClassicEnd::level_error, false);
        return false;
    }
    f.nf_dut_db = v.dut_nf_db;
    f.gain_db = v.dut_gain_db;
    f.nf_sa_db = r.nf_sa_net_db;
    return true;
}

}  // namespace orlavex::core
