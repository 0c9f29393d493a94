#include "measure/y_factor.h"

#include "measure/units.h"

namespace orlavex::measure {

double effective_enr_db(double enr_db, double tc_k) {
    return db(lin(enr_db) + (T0 - tc_k) / T0);
}

double source_on_power_db(double enr_db) {
    return db(lin(enr_db) + 1);
}

double on_temperature_k(double enr_eff_db, double tc_k) {
    return tc_k + T0 * lin(enr_eff_db);
}

double y_factor_db(double enr_eff_db, double nf_db) {
    return db(lin(enr_eff_db - nf_db) + 1);
}

double noise_figure_from_y_db(double enr_eff_db, double y_db) {
    return enr_eff_db - db(lin(y_db) - 1);
}

double gain_from_levels(double cal_on_db, double cal_off_db, double meas_on_db,
                        double meas_off_db) {
    return (lin(meas_on_db) - lin(meas_off_db)) / (lin(cal_on_db) - lin(cal_off_db));
}

double noise_factor_first_order(double enr_lin, double y, double tc_k) {
    return (enr_lin + (T0 - tc_k) / T0) / (y - 1);
}

double y_factor_exact(double th_k, double tc_k, double te_k) {
    return (th_k + te_k) / (tc_k + te_k);
}

}  // namespace orlavex::measure
