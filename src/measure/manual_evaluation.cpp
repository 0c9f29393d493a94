#include "measure/manual_evaluation.h"

#include "measure/simulated_measurement.h"
#include "measure/units.h"

namespace orlavex::measure {

namespace {

ExactEvaluation in_db(const ReadingsEvaluation& ev) {
    ExactEvaluation out;
    out.valid = ev.valid;
    out.nf_dut_db = db(ev.f_dut);
    out.gain_db = db(ev.gain);
    out.nf_sa_db = db(ev.f_analyzer);
    out.nf_sys_db = db(ev.f_sys);
    return out;
}

}  // namespace

ExactEvaluation evaluate_exact(double cal_on_dbm, double cal_off_dbm, double meas_on_dbm,
                               double meas_off_dbm, double enr_cal_db, double enr_meas_db,
                               double tc_k, bool second_stage, const LossCompensation& bench) {
    const Readings r{lin(cal_off_dbm), lin(cal_on_dbm), lin(meas_off_dbm), lin(meas_on_dbm)};
    return in_db(
        evaluate_readings(r, lin(enr_cal_db), lin(enr_meas_db), tc_k, second_stage, 1, 1, bench));
}

ExactEvaluation evaluate_exact(const ReadingLevels& l, const MeasurementSetup& s) {
    const Readings r{lin(l.cal_off_dbm), lin(l.cal_on_dbm), lin(l.meas_off_dbm),
                     lin(l.meas_on_dbm)};
    return in_db(evaluate_readings(r, lin(s.enr_cal_db), lin(s.enr_meas_db), s.tc_k, s.second_stage,
                                   1, 1, loss_compensation(s), image_bands(s)));
}

}  // namespace orlavex::measure
