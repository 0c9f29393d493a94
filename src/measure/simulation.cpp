#include "measure/simulation.h"

#include "measure/simulated_measurement.h"
#include "measure/units.h"
#include "measure/y_factor.h"

#include <cmath>
#include <limits>

namespace orlavex::measure {

namespace {

constexpr double no_result = std::numeric_limits<double>::quiet_NaN();

}  // namespace

ErrorFactors factors_of(const ErrorDraw& d) {
    ErrorFactors e;
    e.enr_cal = lin(d.dENR_cal);
    e.enr_meas = lin(d.dENR_meas);
    e.mismatch_in = lin(d.m_in);
    e.mismatch_cal = lin(d.m_cal);
    e.measured_gain = lin(d.dG + d.m_out);
    e.analyzer_nf_meas = lin(d.da_meas);
    e.analyzer_nf_cal = lin(d.da_cal);
    for (int i = 0; i < 4; ++i)
        e.jitter[i] = std::exp(d.eps[i]);
    return e;
}

ReadingsEvaluation evaluate_readings(const Readings& r, double enr_cal_lin, double enr_meas_lin,
                                     double tc_k, bool second_stage, double analyzer_nf_cal,
                                     double analyzer_nf_meas) {
    ReadingsEvaluation ev;
    ev.y_cal = r.p2 / r.p1;
    ev.y_meas = r.p4 / r.p3;
    ev.f_analyzer = no_result;
    ev.gain = no_result;
    ev.f_sys = no_result;
    ev.f_dut = no_result;
    if (ev.y_cal > 1) {
        ev.f_analyzer = noise_factor_exact(enr_cal_lin, ev.y_cal, tc_k) * analyzer_nf_cal;
        // The excess powers scale with the gain; a different ENR at the two
        // frequencies scales them too.
        const double excess_cal = hot_temperature_k(enr_cal_lin) - tc_k;
        const double excess_meas = hot_temperature_k(enr_meas_lin) - tc_k;
        ev.gain = (r.p4 - r.p3) / (r.p2 - r.p1) * (excess_cal / excess_meas);
    }
    if (!(ev.y_meas > 1)) return ev;
    ev.f_sys = noise_factor_exact(enr_meas_lin, ev.y_meas, tc_k) * analyzer_nf_meas;
    if (!second_stage) {
        ev.f_dut = ev.f_sys;
    } else {
        if (!(ev.y_cal > 1)) return ev;
        ev.f_dut = ev.f_sys - (ev.f_analyzer - 1) / ev.gain;
    }
    ev.valid = ev.f_dut > 0 && std::isfinite(ev.f_dut);
    return ev;
}

SimulatedMeasurement::SimulatedMeasurement(const MeasurementSetup& setup)
    : setup_(setup),
      enr_cal_(lin(setup.enr_cal_db)),
      enr_meas_(lin(setup.enr_meas_db)),
      t_analyzer_(noise_temperature_k(lin(setup.analyzer_nf_db))),
      t_dut_(noise_temperature_k(lin(setup.dut_nf_db))),
      gain_(lin(setup.dut_gain_db)) {}

Readings SimulatedMeasurement::readings(const ErrorFactors& e) const {
    const double tc = setup_.tc_k;
    const double th_cal = hot_temperature_k(enr_cal_ * e.enr_cal);
    const double th_meas = hot_temperature_k(enr_meas_ * e.enr_meas);
    Readings r;
    r.p1 = (tc + t_analyzer_) * e.jitter[0];
    r.p2 = (tc + (th_cal - tc) * e.mismatch_cal + t_analyzer_) * e.jitter[1];
    r.p3 = (gain_ * (tc + t_dut_) + t_analyzer_) * e.measured_gain * e.jitter[2];
    r.p4 = (gain_ * (tc + (th_meas - tc) * e.mismatch_in + t_dut_) + t_analyzer_) *
           e.measured_gain * e.jitter[3];
    return r;
}

double SimulatedMeasurement::error_db(const ErrorFactors& e) const {
    const ReadingsEvaluation ev =
        evaluate_readings(readings(e), enr_cal_, enr_meas_, setup_.tc_k, setup_.second_stage,
                          e.analyzer_nf_cal, e.analyzer_nf_meas);
    return ev.valid ? db(ev.f_dut) - setup_.dut_nf_db : no_result;
}

Readings simulate_readings(const MeasurementSetup& setup, const ErrorDraw& draw) {
    return SimulatedMeasurement(setup).readings(factors_of(draw));
}

double measurement_error_db(const MeasurementSetup& setup, const ErrorDraw& draw) {
    return SimulatedMeasurement(setup).error_db(factors_of(draw));
}

}  // namespace orlavex::measure
