#include "measure/classic_uncertainty.h"

#include "measure/cascade.h"
#include "measure/match.h"
#include "measure/units.h"

#include <cmath>

namespace orlavex::measure {

namespace {

// Contributions in dB combined as root-sum-square of relative errors.
double combine(double sum_of_lsq) {
    return db(1 + std::sqrt(sum_of_lsq));
}

}  // namespace

ClassicUncertainty classic_uncertainty(const MeasurementSetup& in, double f_analyzer) {
    const double F_dut = lin(in.dut_nf_db);
    const double G_dut = lin(in.dut_gain_db);
    const double M_in = mismatch_db(in.gamma_source, in.gamma_dut_in);
    const double M_cal = mismatch_db(in.gamma_source, in.gamma_analyzer);
    const double M_out = mismatch_db(in.gamma_analyzer, in.gamma_dut_out);
    // Without frequency conversion the ENR error largely cancels between
    // calibration and measurement and enters once; with it, it enters every
    // component measurement.
    const double w_corr = in.freq_converting ? 0 : 1;
    const double w_sep = in.freq_converting ? 1 : 0;

    const double F_sa = f_analyzer;
    const double F_sys = cascade(F_dut, F_sa, G_dut);
    const double S_sys = F_sys / F_dut;
    const double S_sa = F_sa / (F_dut * G_dut);
    const double S_g = (F_sa - 1) / (F_dut * G_dut);

    // A system noise factor of zero or less leaves nothing to take the
    // logarithm of: no uncertainty can be given.
    ClassicUncertainty result;
    if (!(F_sys > 0)) return result;
    result.bias_db = db(F_sys) - in.dut_nf_db;

    const double enr_unc = in.enr_unc_db;
    const double enr_sep = w_sep * lsq(enr_unc);
    // Each term worked out once, where several sums take it.
    const double lsq_in = lsq(M_in), lsq_cal = lsq(M_cal), lsq_nf = lsq(in.analyzer_nf_unc_db);
    const double U_sys = combine(lsq_in + lsq_nf + enr_sep);
    const double U_sa = combine(lsq_cal + lsq_nf + enr_sep);
    double unc = 0;
    if (!in.second_stage) {
        const double U_g = combine(lsq_in + lsq(M_out) + lsq(in.analyzer_gain_unc_db) + enr_sep);
        unc = combine(lsq(S_sys * U_sys) + lsq(S_g * U_g) + w_corr * lsq((S_sys - S_sa) * enr_unc));
    } else {
        const double U_g =
            combine(lsq_in + lsq_cal + lsq(M_out) + lsq(in.analyzer_gain_unc_db) + enr_sep);
        unc = combine(lsq(S_sys * U_sys) + lsq(U_sa * S_sa) + lsq(S_g * U_g) +
                      w_corr * lsq((S_sys - S_sa) * enr_unc));
    }
    if (std::isfinite(unc)) result.rss_db = unc;
    return result;
}

ClassicUncertainty classic_uncertainty(const MeasurementSetup& setup) {
    return classic_uncertainty(setup, lin(setup.analyzer_nf_db));
}

}  // namespace orlavex::measure
