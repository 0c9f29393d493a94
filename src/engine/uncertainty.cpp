#include "engine/controls.h"
#include "engine/number_text.h"
#include "engine/numeric.h"
#include "engine/recalc_stages.h"

#include <cmath>

namespace orlavex {

using enum Ctl;

namespace {

// Mismatch between two ports, dB.
double mismatch(double gamma_a, double gamma_b) {
    return -20 * log10(1 - gamma_a * gamma_b);
}

// Contributions in dB combined as root-sum-square of relative errors.
double combine(double sum_of_lsq) {
    return db(1 + std::sqrt(sum_of_lsq));
}

}  // namespace

void compute_uncertainty(Calculator& calc, const Run& run) {
    CalcState& s = calc.state;
    const double F_dut = lin(s.DUT_NF);
    const double G_dut = lin(s.DUT_Gain);
    const double M_in = mismatch(s.NS_Gamma, s.DUT_InGamma);
    const double M_cal = mismatch(s.NS_Gamma, s.SA_InGamma);
    const double M_out = mismatch(s.SA_InGamma, s.DUT_OutGamma);
    // Without frequency conversion the ENR error largely cancels between
    // calibration and measurement and enters once; with it, it enters every
    // component measurement.
    const bool converting = is_ticked(calc, chkFreqConv);
    const double w_corr = converting ? 0 : 1;
    const double w_sep = converting ? 1 : 0;

    const double F_sa = run.F_sa;
    const double F_sys = F_dut + (F_sa - 1) / G_dut;
    const double S_sys = F_sys / F_dut;
    const double S_sa = F_sa / (F_dut * G_dut);
    const double S_g = (F_sa - 1) / (F_dut * G_dut);

    // Levels that imply a system noise factor of zero or less leave nothing
    // to take the logarithm of: no uncertainty can be given.
    if (!(F_sys > 0)) {
        s.NF_Bias = 0;
        s.NF_Unc = no_uncertainty;
        return;
    }
    s.NF_Bias = db(F_sys) - s.DUT_NF;

    // lsq may cap its argument; it works on copies, never on the inputs.
    const double enr_unc = s.ENR_Unc;
    const double nf_unc = s.SANFUnc;
    const double gain_unc = s.SAGainUnc;
    const double enr_sep = w_sep * lsq(double{enr_unc});
    const double U_sys = combine(lsq(M_in) + lsq(double{nf_unc}) + enr_sep);
    const double U_sa = combine(lsq(M_cal) + lsq(double{nf_unc}) + enr_sep);
    double unc = 0;
    if (!is_checked(calc, mnu2ndStage)) {
        const double U_g = combine(lsq(M_in) + lsq(M_out) + lsq(double{gain_unc}) + enr_sep);
        unc = combine(lsq(S_sys * U_sys) + lsq(S_g * U_g) + w_corr * lsq((S_sys - S_sa) * enr_unc));
    } else {
        const double U_g =
            combine(lsq(M_in) + lsq(M_cal) + lsq(M_out) + lsq(double{gain_unc}) + enr_sep);
        unc = combine(lsq(S_sys * U_sys) + lsq(U_sa * S_sa) + lsq(S_g * U_g) +
                      w_corr * lsq((S_sys - S_sa) * enr_unc));
    }
    s.NF_Unc = std::isfinite(unc) ? unc : no_uncertainty;

    // A passive DUT cannot have a noise figure below its loss.
    if (s.DUT_Gain < 0 && round_to(s.DUT_NF, 2) < round_to(-s.DUT_Gain, 2)) {
        s.NF_Unc = no_uncertainty;
    }
}

}  // namespace orlavex
