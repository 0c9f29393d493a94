#include "measure/error_sources.h"

#include "measure/match.h"

#include <cmath>
#include <numbers>

namespace orlavex::measure {

std::vector<ErrorSource> error_sources(const MeasurementSetup& s) {
    using enum Distribution;
    // Certificates state the ENR uncertainty with k = 2.
    const double u_enr = s.enr_unc_db / 2;
    const bool rect = s.spec_shape == SpecShape::rectangular;
    const Distribution spec = rect ? rectangular : normal;
    // A specification limit U: normal with k = 2, or rectangular within +-U.
    const auto spec_u = [&](double limit) {
        return rect ? limit / std::numbers::sqrt3 : limit / 2;
    };
    const auto spec_width = [&](double limit) { return rect ? limit : limit / 2; };
    const bool jitter = s.noise_bw_hz > 0 && s.tau_s > 0;
    const double u_jitter = jitter ? 1 / std::sqrt(s.noise_bw_hz * s.tau_s) : 0;
    const auto mismatch = [](std::string_view name, double ga, double gb,
                             void (*apply)(ErrorDraw&, double)) {
        return ErrorSource{name, phase_uniform, mismatch_std_db(ga, gb), ga * gb, apply};
    };

    std::vector<ErrorSource> sources;
    sources.reserve(13);
    if (!s.freq_converting) {
        sources.push_back({"enr", normal, u_enr, u_enr, [](ErrorDraw& d, double x) {
                               d.dENR_cal += x;
                               d.dENR_meas += x;
                           }});
    } else {
        sources.push_back(
            {"enr_cal", normal, u_enr, u_enr, [](ErrorDraw& d, double x) { d.dENR_cal += x; }});
        sources.push_back(
            {"enr_meas", normal, u_enr, u_enr, [](ErrorDraw& d, double x) { d.dENR_meas += x; }});
    }
    sources.push_back(mismatch("mismatch_in", s.gamma_source, s.gamma_dut_in,
                               [](ErrorDraw& d, double x) { d.m_in += x; }));
    sources.push_back(mismatch("mismatch_cal", s.gamma_source, s.gamma_analyzer,
                               [](ErrorDraw& d, double x) { d.m_cal += x; }));
    sources.push_back(mismatch("mismatch_out", s.gamma_dut_out, s.gamma_analyzer,
                               [](ErrorDraw& d, double x) { d.m_out += x; }));
    sources.push_back({"analyzer_nf_meas", spec, spec_u(s.analyzer_nf_unc_db),
                       spec_width(s.analyzer_nf_unc_db),
                       [](ErrorDraw& d, double x) { d.da_meas += x; }});
    sources.push_back({"analyzer_nf_cal", spec, spec_u(s.analyzer_nf_unc_db),
                       spec_width(s.analyzer_nf_unc_db),
                       [](ErrorDraw& d, double x) { d.da_cal += x; }});
    sources.push_back({"analyzer_gain", spec, spec_u(s.analyzer_gain_unc_db),
                       spec_width(s.analyzer_gain_unc_db),
                       [](ErrorDraw& d, double x) { d.dG += x; }});
    sources.push_back({"jitter_cal_off", normal, u_jitter, u_jitter,
                       [](ErrorDraw& d, double x) { d.eps[0] += x; }});
    sources.push_back({"jitter_cal_on", normal, u_jitter, u_jitter,
                       [](ErrorDraw& d, double x) { d.eps[1] += x; }});
    sources.push_back({"jitter_meas_off", normal, u_jitter, u_jitter,
                       [](ErrorDraw& d, double x) { d.eps[2] += x; }});
    sources.push_back({"jitter_meas_on", normal, u_jitter, u_jitter,
                       [](ErrorDraw& d, double x) { d.eps[3] += x; }});
    return sources;
}

}  // namespace orlavex::measure
