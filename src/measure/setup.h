// One noise-figure measurement set-up, as the classic bound and the extended
// model see it.
#pragma once

#include "measure/frequency_plan.h"
#include "measure/noise_parameters.h"
#include "measure/units.h"

#include <complex>
#include <optional>

namespace orlavex::measure {

enum class SpecShape { normal, rectangular };

// A matched loss on the bench (cable, adapter, pad, fixture): it attenuates
// what passes and adds the noise of its physical temperature.
struct BenchLoss {
    double loss_db = 0;         // >= 0
    double temperature_k = T0;  // physical temperature
    double unc_db = 0;          // expanded (k = 2)
    bool operator==(const BenchLoss&) const = default;
};

// A noise source used for the measurement other than the one calibrated
// with. Its ENR at the measurement frequency is the set-up's enr_meas_db.
struct MeasurementSource {
    bool separate = false;  // false: the calibration source measures too
    double enr_unc_db = 0;  // expanded (k = 2)
    double gamma = 0;       // |reflection|
    bool operator==(const MeasurementSource&) const = default;
};

// Which figures of a frequency-converting DUT with an image response the
// DUT inputs and the result are: single sideband (the signal band's noise
// factor 1 + r + Te/T0 and gain) or double sideband (that over 1 + r, the
// gain times 1 + r).
enum class SidebandMode { ssb, dsb };

// How the model takes the reflections at the DUT input: as magnitudes of
// unknown phase (the mismatch rows), or known in phase from the files (the
// source's on and off reflections, the DUT's S-parameters and noise
// parameters), which gives the source-match bias.
enum class ReflectionModel { random, known };

// The model's own inputs beyond the instruments': the readings' jitter, the
// shape of the analyzer's datasheet limits, and a converting DUT's image
// band. Each is a row of the input table (app/inputs/model_inputs.h), which
// names, bounds and echoes it.
struct ModelOptions {
    double noise_bw_hz = 0, tau_s = 0;  // jitter off when either is 0
    SpecShape spec_shape = SpecShape::normal;
    // The image band: the figures' sideband, the image-to-signal conversion
    // gain (none: no image response in SSB, 0 dB in DSB) and its expanded
    // uncertainty, and the side of the LO, which places the image.
    SidebandMode sideband = SidebandMode::ssb;
    std::optional<double> image_ratio_db;
    double image_ratio_unc_db = 0;
    // The ENR at the image frequency and its expanded uncertainty, where no
    // ENR table gives them (none: the signal band's).
    std::optional<double> image_enr_db, image_enr_unc_db;
    LoSide lo_side = LoSide::below;
    ReflectionModel reflections = ReflectionModel::random;
    // The known reflections typed where no file gives them (against 50
    // ohms): the measurement source's on and off reflections, the DUT's S11
    // and its noise parameters (NFmin in dB, Gamma_opt, rn = Rn / 50 ohms).
    std::optional<std::complex<double>> source_on_gamma, source_off_gamma, dut_s11, dut_gamma_opt;
    std::optional<double> dut_nfmin_db, dut_rn;
    bool operator==(const ModelOptions&) const = default;
};

// The image band of a frequency-converting DUT: the second input that its
// local oscillator converts to the output frequency. Without a response the
// DUT converts the signal band alone.
struct ImageSideband {
    bool response = false;
    SidebandMode mode = SidebandMode::ssb;
    double ratio_db = 0;      // image over signal conversion gain (0 dB: a DSB mixer)
    double ratio_unc_db = 0;  // expanded (k = 2)
    // At the image frequency; unset: as in the signal band (the measurement
    // source's ENR and its uncertainty, the loss before the DUT).
    std::optional<double> enr_db, enr_unc_db;  // expanded (k = 2)
    std::optional<double> loss_in_db;
    bool operator==(const ImageSideband&) const = default;
};

// Reflections known in phase as well as magnitude at the DUT input: the
// measurement source's in its on and off states, the DUT's S11 and S21 and,
// where known, its noise parameters (without them its noise factor is the
// set-up's DUT noise figure whatever the source's reflection). With them the
// readings are exact at the DUT input, the random mismatch there drops out,
// and the measurand is the DUT's noise figure at a reflectionless source,
// F(0), and its gain |S21|^2, which replace the set-up's DUT figures. Every
// reflection is against 50 ohms. For DUTs without an image response.
struct KnownReflections {
    std::complex<double> source_on, source_off;  // at the measurement frequency
    // The on reflection at the calibration frequency of the source that
    // calibrates, when it is this one; unset: source_on (the same frequency).
    std::optional<std::complex<double>> source_on_cal;
    std::complex<double> s11, s21;
    std::optional<NoiseParameters> noise;
    // S21 of the loss before the DUT from its file; unset: 1 / sqrt(li0) of
    // the loss's value, whose phase is not known (taken as 0).
    std::optional<std::complex<double>> loss_in_s21;
    // Its S12, where it is not reciprocal (an isolator); unset: its S21.
    std::optional<std::complex<double>> loss_in_s12;
    bool operator==(const KnownReflections&) const = default;
};

struct MeasurementSetup {
    double dut_nf_db = 0, dut_gain_db = 0;
    double enr_cal_db = 0,
           enr_meas_db = 0;     // nominal ENR at the calibration and the measurement frequency
    double enr_unc_db = 0;      // expanded (k = 2), as certificates state it
    double tc_k = 290;          // the source's off temperature
    double analyzer_nf_db = 0;  // net analyzer chain (preamplifiers included)
    double gamma_source = 0, gamma_dut_in = 0, gamma_dut_out = 0,
           gamma_analyzer = 0;  // |reflection|
    double analyzer_nf_unc_db = 0, analyzer_gain_unc_db = 0;
    bool second_stage = true;
    bool freq_converting = false;
    ModelOptions model;
    // The bench around the DUT: losses between the source and the DUT and
    // between the DUT and the analyzer chain (the calibration is made
    // without them), and the source the measurement is made with.
    BenchLoss loss_in, loss_out;
    MeasurementSource meas_source;
    // The image band of a frequency-converting DUT.
    ImageSideband image;
    // Reflections known at the DUT input; absent: their random terms.
    std::optional<KnownReflections> reflections;
};

}  // namespace orlavex::measure
