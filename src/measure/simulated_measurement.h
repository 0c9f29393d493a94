// The measurement of section "simulating one measurement" with the set-up's
// nominal values worked out once, for the budget and the Monte Carlo, which
// evaluate it many times. Errors enter as linear factors.
#pragma once

#include "measure/bench.h"
#include "measure/image_sideband.h"
#include "measure/known_reflections.h"
#include "measure/setup.h"
#include "measure/simulation.h"
#include "measure/y_factor.h"

#include <limits>
#include <numbers>

namespace orlavex::measure {

// Every error as the factor it multiplies its quantity by (all 1: a perfect
// measurement).
struct ErrorFactors {
    double enr_cal = 1, enr_meas = 1;  // true over nominal ENR
    double mismatch_in = 1, mismatch_cal = 1;
    double measured_gain = 1;  // analyzer level error and DUT-output mismatch together
    double analyzer_nf_meas = 1, analyzer_nf_cal = 1;
    double jitter[4] = {1, 1, 1, 1};
    double loss_in = 1, loss_out = 1;  // true over nominal loss, linear
    double image_ratio = 1;            // true over nominal image-to-signal gain ratio
    double enr_image = 1;              // true over nominal ENR at the image frequency
};

ErrorFactors factors_of(const ErrorDraw& draw);

// Noise factors, gain and Y factors the engineer's instrument derives from
// four readings (linear, any common unit) with the exact Y-factor formula.
struct ReadingsEvaluation {
    bool valid = false;
    double y_cal = 0, y_meas = 0;
    double f_analyzer = 0;  // NaN when the calibration gives no Y factor above 1
    double gain = 0;        // NaN likewise
    double f_sys = 0;
    double f_dut = 0;
};

// A converting DUT's image band as the evaluation takes it: the ENR at the
// image frequency (linear), the loss before the DUT there (linear), the
// nominal image-to-signal gain ratio r0 (0: no image) and whether the
// result is double sideband.
struct ImageBands {
    double enr_lin = 0, loss_in_lin = 1, r0 = 0;
    bool dsb = false;
};
ImageBands image_bands(const MeasurementSetup& setup);

// enr_cal_lin and enr_meas_lin are the nominal ENR the instrument works
// with; the analyzer noise-figure errors multiply the two noise factors.
// With losses the system noise factor is referred to the DUT input, the
// gain to the DUT alone, and the second stage is the loss after the DUT
// and the analyzer chain together.
ReadingsEvaluation evaluate_readings(const Readings& r, double enr_cal_lin, double enr_meas_lin,
                                     double tc_k, bool second_stage, double analyzer_nf_cal = 1,
                                     double analyzer_nf_meas = 1,
                                     const LossCompensation& bench = {},
                                     const ImageBands& image = {});

class SimulatedMeasurement {
  public:
    explicit SimulatedMeasurement(const MeasurementSetup& setup);

    Readings readings(const ErrorFactors& e) const;
    // db(F_dut observed) - DUT NF; NaN for an invalid trial. The same
    // doubles as error_db_with(E, std::log), with the terms that the
    // nominal values fix taken as worked out once, for the budget's
    // evaluations around the nominal point.
    double error_db(const ErrorFactors& e) const;

    // The same two, inline, for callers that evaluate a few; LOG is the
    // natural logarithm to take the result in dB with.
    Readings readings_of(const ErrorFactors& e) const {
        return known_ ? readings_at<true>(e) : readings_at<false>(e);
    }
    template <class Log>
    double error_db_with(const ErrorFactors& e, Log log) const {
        return known_ ? trial_error_db<true>(e, log) : trial_error_db<false>(e, log);
    }

    // With the reflections at the DUT input known in phase (the set-up's
    // KnownReflections): the readings are exact there and the error is
    // against F(0).
    bool known_reflections() const { return known_; }
    // The two without branches, for loops the compiler vectorises: KNOWN is
    // known_reflections(), chosen once for the loop.
    template <bool Known>
    Readings readings_at(const ErrorFactors& e) const;
    template <bool Known, class Log>
    double trial_error_db(const ErrorFactors& e, Log log) const;

  private:
    // The readings' terms from the DUT input on, with the true losses, ENR
    // and image ratio of E: the source in the signal and the image band at
    // the DUT input, and the DUT as the true ratio makes it.
    struct InputSide {
        double th_meas = 0, l_in = 0, r = 0;
        BandAtInput image;
        DutInBands dut;
    };
    InputSide input_side(const ErrorFactors& e) const;
    // The same, with the image band and the DUT of the nominal values where
    // E leaves them so (for error_db()).
    InputSide input_side_reusing_nominal(const ErrorFactors& e) const;
    // readings_at<true>(): the source's available noise at the DUT input
    // through the loss, N(Gamma, T) = GT(Gamma) (T + T0 (F(Gamma) - 1)) for
    // its off and on states (the DUT there OFF and ON), and what the
    // calibration source delivers.
    Readings known_readings(const ErrorFactors& e, DutNoise off, DutNoise on) const;
    // The error from those readings, as trial_error_db<true>() takes it.
    template <class Log>
    double known_error_db(const ErrorFactors& e, DutNoise off, DutNoise on, Log log) const;
    // The evaluation of the four readings R of a trial with errors E.
    template <class Log>
    double error_of_readings(const Readings& r, const ErrorFactors& e, Log log) const;

    MeasurementSetup setup_;
    double enr_cal_ = 0, enr_meas_ = 0, enr_image_ = 0;  // nominal, linear
    double t_analyzer_ = 0, f_dut_ = 0, gain_ = 0;       // the DUT as its inputs give it
    LossCompensation bench_;                             // nominal losses
    double loss_in_image_ = 1;  // nominal loss before the DUT at the image frequency
    double ratio_ = 0;          // nominal image-to-signal gain ratio r0 (0: no image)
    // 1 with the DUT's figures and the result double sideband, else 0: a
    // double, as second_stage_, since a bool in the trial loop's selections
    // keeps the compiler from vectorising it.
    double dsb_ = 0;
    // What the evaluation works out from nominal values alone.
    TwoBandSource source_;       // the measurement source through both bands
    double excess_ratio_ = 1;    // (Th,cal - Tc) over the measurement's excess
    double loss_product_ = 1;    // li0 lo0
    double second_stage_ = 1;    // 1 with second-stage correction, else 0
    double sideband_scale_ = 1;  // 1 / (1 + r0) in DSB, else 1: the result over the SSB one
    bool possible_ = true;       // false for an SSB noise figure at or below db(1 + r0)
    // Terms of error_db() that the nominal values fix, worked out once
    // exactly as error_db_with() works them out each time.
    double tc_in_ = 0;             // Tc through the nominal loss before the DUT
    double loss_out_noise_k_ = 0;  // To (1 - 1 / lo0): the nominal loss after it adds
    double cold_cal_ = 0;          // Tc / T0 - 1
    double loss_out_excess_ = 0;   // (lo0 - 1) To / T0
    BandAtInput image_nominal_;    // the image band at the DUT input
    DutInBands dut_nominal_;       // the DUT with the nominal image ratio
    // The known reflections, if any: the DUT and the source's states at its
    // input, the share of its excess the calibration source delivers, and
    // the measurand's noise figure (the DUT's otherwise).
    bool known_ = false;
    ReflectedDut reflected_;
    DutNoise off_nominal_, on_nominal_;  // the DUT at the states through the nominal loss
    double cal_acceptance_ = 1;
    double measurand_db_ = 0;
};

inline SimulatedMeasurement::InputSide SimulatedMeasurement::input_side(
    const ErrorFactors& e) const {
    const double tc = setup_.tc_k;
    InputSide in;
    in.th_meas = hot_temperature_k(enr_meas_ * e.enr_meas);
    in.l_in = bench_.loss_in * e.loss_in;
    // One error of the loss before the DUT in both bands; r is 0 without an
    // image, and the image band's terms add nothing.
    in.r = ratio_ * e.image_ratio;
    in.image = band_at_input(hot_temperature_k(enr_image_ * e.enr_image), tc, e.mismatch_in,
                             loss_in_image_ * e.loss_in, bench_.t_in_k);
    in.dut = dut_in_bands(f_dut_, gain_, in.r, dsb_ > 0);
    return in;
}

template <bool Known>
inline Readings SimulatedMeasurement::readings_at(const ErrorFactors& e) const {
    if constexpr (Known) {
        // A loss before the DUT larger than the nominal by a factor shrinks
        // the reflections the DUT sees by it.
        const double shrink = 1 / e.loss_in;
        return known_readings(e, reflected_.at(reflected_.off, shrink),
                              reflected_.at(reflected_.on, shrink));
    }
    const double tc = setup_.tc_k;
    const double th_cal = hot_temperature_k(enr_cal_ * e.enr_cal);
    const InputSide in = input_side(e);
    const double l_out = bench_.loss_out * e.loss_out;
    // The source's off noise at the DUT input, its excess through the loss.
    const BandAtInput signal = band_at_input(in.th_meas, tc, e.mismatch_in, in.l_in, bench_.t_in_k);
    const double g = in.dut.gain_signal;
    Readings r;
    r.p1 = (tc + t_analyzer_) * e.jitter[0];
    r.p2 = (tc + (th_cal - tc) * e.mismatch_cal + t_analyzer_) * e.jitter[1];
    r.p3 = (through_loss_k(g * (signal.off_k + in.r * in.image.off_k + in.dut.te_k), l_out,
                           bench_.t_out_k) +
            t_analyzer_) *
           e.measured_gain * e.jitter[2];
    r.p4 = (through_loss_k(g * (signal.on_k + in.r * in.image.on_k + in.dut.te_k), l_out,
                           bench_.t_out_k) +
            t_analyzer_) *
           e.measured_gain * e.jitter[3];
    return r;
}

inline Readings SimulatedMeasurement::known_readings(const ErrorFactors& e, DutNoise off,
                                                     DutNoise on) const {
    const double tc = setup_.tc_k;
    const double th_cal = hot_temperature_k(enr_cal_ * e.enr_cal);
    const double th_meas = hot_temperature_k(enr_meas_ * e.enr_meas);
    const double l_in = bench_.loss_in * e.loss_in;
    const double l_out = bench_.loss_out * e.loss_out;
    // The mismatch at the DUT input is no longer random: no factor for it.
    const BandAtInput source = band_at_input(th_meas, tc, 1.0, l_in, bench_.t_in_k);
    Readings r;
    r.p1 = (tc + t_analyzer_) * e.jitter[0];
    r.p2 = (tc + (th_cal - tc) * cal_acceptance_ * e.mismatch_cal + t_analyzer_) * e.jitter[1];
    r.p3 = (through_loss_k(off.gain * (source.off_k + off.te_k), l_out, bench_.t_out_k) +
            t_analyzer_) *
           e.measured_gain * e.jitter[2];
    r.p4 =
        (through_loss_k(on.gain * (source.on_k + on.te_k), l_out, bench_.t_out_k) + t_analyzer_) *
        e.measured_gain * e.jitter[3];
    return r;
}

// The evaluation of evaluate_readings() with every quantity worked out and
// the invalid cases selected out at the end.
template <bool Known, class Log>
inline double SimulatedMeasurement::trial_error_db(const ErrorFactors& e, Log log) const {
    return error_of_readings(readings_at<Known>(e), e, log);
}

template <class Log>
inline double SimulatedMeasurement::known_error_db(const ErrorFactors& e, DutNoise off, DutNoise on,
                                                   Log log) const {
    return error_of_readings(known_readings(e, off, on), e, log);
}

template <class Log>
inline double SimulatedMeasurement::error_of_readings(const Readings& r, const ErrorFactors& e,
                                                      Log log) const {
    const double y_cal = r.p2 / r.p1, y_meas = r.p4 / r.p3;
    const double f_analyzer = noise_factor_exact(enr_cal_, y_cal, setup_.tc_k) * e.analyzer_nf_cal;
    const double gain = (r.p4 - r.p3) / (r.p2 - r.p1) * excess_ratio_ * loss_product_;
    // The exact Y-factor formula with the source through both bands.
    const double f_sys =
        (source_.enr_lin - y_meas * source_.cold) / (y_meas - 1) * e.analyzer_nf_meas;
    const double corrected =
        f_sys - second_stage_excess(f_analyzer, bench_.loss_out, bench_.t_out_k) / gain;
    // Selections on comparisons of doubles and bitwise, not short-circuit:
    // no branch in the trial loop.
    const bool second_stage = second_stage_ > 0;
    const double f_dut = (second_stage ? corrected : f_sys) * sideband_scale_;
    const bool valid = (y_meas > 1) & ((y_cal > 1) | !second_stage) & (f_dut > 0) &
                       (f_dut < std::numeric_limits<double>::infinity()) & possible_;
    const double error = 10.0 * (log(f_dut) / std::numbers::ln10) - measurand_db_;
    return valid ? error : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace orlavex::measure
