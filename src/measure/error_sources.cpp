#include "measure/error_sources.h"

#include "measure/bench.h"
#include "measure/image_sideband.h"
#include "measure/match.h"

#include <cmath>
#include <numbers>

namespace orlavex::measure {

std::vector<ErrorSource> error_sources(const MeasurementSetup& s) {
    using enum Distribution;
    using enum Target;
    // Certificates state the ENR uncertainty with k = 2.
    const double u_enr = s.enr_unc_db / 2;
    const bool rect = s.model.spec_shape == SpecShape::rectangular;
    // A datasheet limit U: normal with k = 2, or rectangular within +-U.
    const auto datasheet_limit = [&](std::string_view name, Target target, double limit) {
        return rect ? ErrorSource{name, target, rectangular, limit / std::numbers::sqrt3, limit}
                    : ErrorSource{name, target, normal, limit / 2, limit / 2};
    };
    const auto mismatch = [](std::string_view name, Target target, double ga, double gb) {
        return ErrorSource{name, target, phase_uniform, mismatch_std_db(ga, gb), ga * gb};
    };
    const bool jitter = s.model.noise_bw_hz > 0 && s.model.tau_s > 0;
    const double u_jitter = jitter ? 1 / std::sqrt(s.model.noise_bw_hz * s.model.tau_s) : 0;

    // The measurement source's ENR error is its own when it is another
    // source, or the same source at another frequency.
    const MeasurementSource& meas = s.meas_source;
    const double u_enr_meas = meas.separate ? meas.enr_unc_db / 2 : u_enr;
    // The DUT sees the source's reflection, and the analyzer chain the
    // DUT's, through the losses: shrunk by the loss each way.
    const LossCompensation bench = loss_compensation(s);
    const double gamma_meas_source = (meas.separate ? meas.gamma : s.gamma_source) / bench.loss_in;
    const double gamma_analyzer_seen = s.gamma_analyzer / bench.loss_out;

    std::vector<ErrorSource> sources;
    sources.reserve(18);
    // A DUT with an image response converts: its calibration and
    // measurement are at different frequencies.
    if (!s.freq_converting && !meas.separate && !s.image.response) {
        sources.push_back({"enr", enr_both, normal, u_enr, u_enr});
    } else {
        sources.push_back({"enr_cal", enr_cal, normal, u_enr, u_enr});
        sources.push_back({"enr_meas", enr_meas, normal, u_enr_meas, u_enr_meas});
    }
    // Reflections known in phase at the DUT input leave no random term there.
    if (!s.reflections)
        sources.push_back(mismatch("mismatch_in", mismatch_in, gamma_meas_source, s.gamma_dut_in));
    sources.push_back(mismatch("mismatch_cal", mismatch_cal, s.gamma_source, s.gamma_analyzer));
    sources.push_back(mismatch("mismatch_out", mismatch_out, s.gamma_dut_out, gamma_analyzer_seen));
    sources.push_back(datasheet_limit("analyzer_nf_meas", analyzer_nf_meas, s.analyzer_nf_unc_db));
    sources.push_back(datasheet_limit("analyzer_nf_cal", analyzer_nf_cal, s.analyzer_nf_unc_db));
    sources.push_back(datasheet_limit("analyzer_gain", analyzer_gain, s.analyzer_gain_unc_db));
    sources.push_back({"jitter_cal_off", jitter_cal_off, normal, u_jitter, u_jitter});
    sources.push_back({"jitter_cal_on", jitter_cal_on, normal, u_jitter, u_jitter});
    sources.push_back({"jitter_meas_off", jitter_meas_off, normal, u_jitter, u_jitter});
    sources.push_back({"jitter_meas_on", jitter_meas_on, normal, u_jitter, u_jitter});
    // A loss's value is known to U_L with k = 2, as a certificate states it.
    const auto loss = [&](std::string_view name, Target target, const BenchLoss& l) {
        if (l.loss_db != 0 || l.unc_db != 0)
            sources.push_back({name, target, normal, l.unc_db / 2, l.unc_db / 2});
    };
    loss("loss_in", loss_in, s.loss_in);
    loss("loss_out", loss_out, s.loss_out);
    if (s.image.response) {
        const double u_ratio = s.image.ratio_unc_db / 2, u_enr_image = image_enr_unc_db(s) / 2;
        sources.push_back({"image_ratio", image_ratio, normal, u_ratio, u_ratio});
        sources.push_back({"enr_image", enr_image, normal, u_enr_image, u_enr_image});
    }
    return sources;
}

void apply_factor(ErrorFactors& e, Target target, double factor) {
    switch (target) {
        case Target::enr_both:
            e.enr_cal *= factor;
            e.enr_meas *= factor;
            break;
        case Target::enr_cal:
            e.enr_cal *= factor;
            break;
        case Target::enr_meas:
            e.enr_meas *= factor;
            break;
        case Target::mismatch_in:
            e.mismatch_in *= factor;
            break;
        case Target::mismatch_cal:
            e.mismatch_cal *= factor;
            break;
        // Output mismatch and level error both scale the measured gain.
        case Target::mismatch_out:
        case Target::analyzer_gain:
            e.measured_gain *= factor;
            break;
        case Target::analyzer_nf_meas:
            e.analyzer_nf_meas *= factor;
            break;
        case Target::analyzer_nf_cal:
            e.analyzer_nf_cal *= factor;
            break;
        case Target::jitter_cal_off:
            e.jitter[0] *= factor;
            break;
        case Target::jitter_cal_on:
            e.jitter[1] *= factor;
            break;
        case Target::jitter_meas_off:
            e.jitter[2] *= factor;
            break;
        case Target::jitter_meas_on:
            e.jitter[3] *= factor;
            break;
        case Target::loss_in:
            e.loss_in *= factor;
            break;
        case Target::loss_out:
            e.loss_out *= factor;
            break;
        case Target::image_ratio:
            e.image_ratio *= factor;
            break;
        case Target::enr_image:
            e.enr_image *= factor;
            break;
    }
}

Target factor_moved(Target target) {
    return target == Target::analyzer_gain ? Target::mismatch_out : target;
}

bool in_natural_log(Target target) {
    return target == Target::jitter_cal_off || target == Target::jitter_cal_on ||
           target == Target::jitter_meas_off || target == Target::jitter_meas_on;
}

}  // namespace orlavex::measure
