#include "measure/simulation.h"

#include "measure/analyzer_noise.h"
#include "measure/image_sideband.h"
#include "measure/simulated_measurement.h"
#include "measure/units.h"
#include "measure/y_factor.h"

#include <cmath>
#include <limits>
#include <numbers>

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
    e.loss_in = lin(d.dL_in);
    e.loss_out = lin(d.dL_out);
    e.image_ratio = lin(d.dR);
    e.enr_image = lin(d.dENR_img);
    return e;
}

ReadingsEvaluation evaluate_readings(const Readings& r, double enr_cal_lin, double enr_meas_lin,
                                     double tc_k, bool second_stage, double analyzer_nf_cal,
                                     double analyzer_nf_meas, const LossCompensation& bench,
                                     const ImageBands& image) {
    ReadingsEvaluation ev;
    // The measurement source through both bands (the signal band alone
    // without an image).
    const TwoBandSource source =
        two_band_source({enr_meas_lin, image.enr_lin}, tc_k, bench, image.loss_in_lin, image.r0);
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
        // Both losses lower the excess power the measurement reads.
        ev.gain = (r.p4 - r.p3) / (r.p2 - r.p1) * (excess_cal / source.excess_k) *
                  (bench.loss_in * bench.loss_out);
    }
    if (!(ev.y_meas > 1)) return ev;
    // The system from the DUT input on: the source as the DUT sees it.
    if (image.r0 == 0) {
        const SourceAtInput at_input =
            source_through_loss(enr_meas_lin, tc_k, bench.loss_in, bench.t_in_k);
        ev.f_sys = noise_factor_exact(at_input.enr_lin, ev.y_meas, at_input.tc_k);
    } else {
        ev.f_sys = (source.enr_lin - ev.y_meas * source.cold) / (ev.y_meas - 1);
    }
    ev.f_sys *= analyzer_nf_meas;
    if (!second_stage) {
        ev.f_dut = ev.f_sys;
    } else {
        if (!(ev.y_cal > 1)) return ev;
        ev.f_dut =
            ev.f_sys - second_stage_excess(ev.f_analyzer, bench.loss_out, bench.t_out_k) / ev.gain;
    }
    if (image.dsb) {
        // The double-sideband figures: the noise over both bands' gain.
        ev.f_dut /= 1 + image.r0;
        ev.gain *= 1 + image.r0;
    }
    ev.valid = ev.f_dut > 0 && std::isfinite(ev.f_dut);
    return ev;
}

ImageBands image_bands(const MeasurementSetup& s) {
    if (!s.image.response) return {};
    return {lin(image_enr_db(s)), lin(image_loss_in_db(s)), image_ratio_lin(s),
            s.image.mode == SidebandMode::dsb};
}

SimulatedMeasurement::SimulatedMeasurement(const MeasurementSetup& setup)
    : setup_(setup),
      enr_cal_(lin(setup.enr_cal_db)),
      // Mostly the calibration's ENR: its power is not taken twice.
      enr_meas_(setup.enr_meas_db == setup.enr_cal_db ? enr_cal_ : lin(setup.enr_meas_db)),
      // Without an image the signal band's: nothing more to work out.
      enr_image_(setup.image.response ? lin(image_enr_db(setup)) : enr_meas_),
      t_analyzer_(noise_temperature_k(lin(setup.analyzer_nf_db))),
      f_dut_(lin(setup.dut_nf_db)),
      gain_(lin(setup.dut_gain_db)),
      bench_(loss_compensation(setup)),
      loss_in_image_(setup.image.response ? lin(image_loss_in_db(setup)) : bench_.loss_in),
      ratio_(image_ratio_lin(setup)),
      dsb_(setup.image.response && setup.image.mode == SidebandMode::dsb ? 1 : 0),
      source_(two_band_source({enr_meas_, enr_image_}, setup.tc_k, bench_, loss_in_image_, ratio_)),
      excess_ratio_((hot_temperature_k(enr_cal_) - setup.tc_k) / source_.excess_k),
      loss_product_(bench_.loss_in * bench_.loss_out),
      second_stage_(setup.second_stage ? 1 : 0),
      sideband_scale_(dsb_ > 0 ? 1 / (1 + ratio_) : 1),
      possible_(!setup.image.response || ssb_noise_factor(setup) > 1 + ratio_),
      tc_in_(through_loss_k(setup.tc_k, bench_.loss_in, bench_.t_in_k)),
      loss_out_noise_k_(bench_.t_out_k * (1 - 1 / bench_.loss_out)),
      cold_cal_(setup.tc_k / T0 - 1),
      loss_out_excess_((bench_.loss_out - 1) * bench_.t_out_k / T0),
      known_(setup.reflections.has_value()),
      cal_acceptance_(calibration_acceptance(setup)),
      measurand_db_(measurand_nf_db(setup)) {
    if (known_) {
        reflected_ = reflected_dut(setup);
        off_nominal_ = reflected_.at(reflected_.off, 1);
        on_nominal_ = reflected_.at(reflected_.on, 1);
        // The reflections are the signal band's alone.
        possible_ = possible_ && !setup.image.response;
    }
    const InputSide nominal = input_side(ErrorFactors{});
    image_nominal_ = nominal.image;
    dut_nominal_ = nominal.dut;
}

inline SimulatedMeasurement::InputSide SimulatedMeasurement::input_side_reusing_nominal(
    const ErrorFactors& e) const {
    // A factor of 1 leaves the nominal terms to the last bit; without an
    // image (r0 = 0, so r = 0 for any finite factor) the image band adds 0
    // whatever its terms, and the DUT is the nominal one.
    const bool nominal =
        e.loss_in == 1 && e.enr_image == 1 && e.mismatch_in == 1 && e.image_ratio == 1;
    if (nominal || (ratio_ == 0 && std::isfinite(e.image_ratio))) {
        InputSide in;
        in.th_meas = hot_temperature_k(enr_meas_ * e.enr_meas);
        in.l_in = bench_.loss_in * e.loss_in;
        in.r = ratio_ * e.image_ratio;
        in.image = image_nominal_;
        in.dut = dut_nominal_;
        return in;
    }
    return input_side(e);
}

Readings SimulatedMeasurement::readings(const ErrorFactors& e) const {
    return readings_of(e);
}

// readings_of() and error_db_with() step by step, each operation as there,
// a term the nominal values fix taken from the constructor. A factor of 1
// leaves its product exact, so with a loss's factor at 1 the loss's terms
// are the nominal ones.
double SimulatedMeasurement::error_db(const ErrorFactors& e) const {
    if (known_) {
        // The DUT through the nominal loss as worked out once: the same
        // doubles as trial_error_db<true>() works out.
        const auto log = [](double x) { return std::log(x); };
        if (e.loss_in == 1) return known_error_db(e, off_nominal_, on_nominal_, log);
        return trial_error_db<true>(e, log);
    }
    const double tc = setup_.tc_k;
    const double th_cal = hot_temperature_k(enr_cal_ * e.enr_cal);
    const InputSide in = input_side_reusing_nominal(e);
    const double l_out = bench_.loss_out * e.loss_out;
    const double tc_in = e.loss_in == 1 ? tc_in_ : through_loss_k(tc, in.l_in, bench_.t_in_k);
    const double hot_in = tc_in + (in.th_meas - tc) * e.mismatch_in / in.l_in;
    const bool nominal_out = e.loss_out == 1;
    const auto through_out = [&](double t_k) {
        return nominal_out ? t_k / l_out + loss_out_noise_k_
                           : through_loss_k(t_k, l_out, bench_.t_out_k);
    };
    const double g = in.dut.gain_signal;
    Readings r;
    r.p1 = (tc + t_analyzer_) * e.jitter[0];
    r.p2 = (tc + (th_cal - tc) * e.mismatch_cal + t_analyzer_) * e.jitter[1];
    r.p3 = (through_out(g * (tc_in + in.r * in.image.off_k + in.dut.te_k)) + t_analyzer_) *
           e.measured_gain * e.jitter[2];
    r.p4 = (through_out(g * (hot_in + in.r * in.image.on_k + in.dut.te_k)) + t_analyzer_) *
           e.measured_gain * e.jitter[3];

    const double y_cal = r.p2 / r.p1, y_meas = r.p4 / r.p3;
    const double f_analyzer = (enr_cal_ - y_cal * cold_cal_) / (y_cal - 1) * e.analyzer_nf_cal;
    const double gain = (r.p4 - r.p3) / (r.p2 - r.p1) * excess_ratio_ * loss_product_;
    const double f_sys =
        (source_.enr_lin - y_meas * source_.cold) / (y_meas - 1) * e.analyzer_nf_meas;
    const double excess = loss_out_excess_ + bench_.loss_out * (f_analyzer - 1);
    const double corrected = f_sys - excess / gain;
    const bool second_stage = second_stage_ > 0;
    const double f_dut = (second_stage ? corrected : f_sys) * sideband_scale_;
    const bool valid = (y_meas > 1) & ((y_cal > 1) | !second_stage) & (f_dut > 0) &
                       (f_dut < std::numeric_limits<double>::infinity()) & possible_;
    const double error = 10.0 * (std::log(f_dut) / std::numbers::ln10) - measurand_db_;
    return valid ? error : std::numeric_limits<double>::quiet_NaN();
}

Readings simulate_readings(const MeasurementSetup& setup, const ErrorDraw& draw) {
    return SimulatedMeasurement(setup).readings(factors_of(draw));
}

ReadingLevels reading_levels(const Readings& r) {
    // The readings are noise temperatures (k B Ga): kT in 1 MHz per kelvin.
    const auto level = [](double t_k) { return kT0_dBm_Hz + one_MHz_dB + db(t_k / T0); };
    return {level(r.p1), level(r.p2), level(r.p3), level(r.p4)};
}

double measurement_error_db(const MeasurementSetup& setup, const ErrorDraw& draw) {
    return SimulatedMeasurement(setup).error_db(factors_of(draw));
}

}  // namespace orlavex::measure
