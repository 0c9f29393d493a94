#include "measure/reference_impedance.h"

#include <cmath>

namespace orlavex::measure {

// With real references the waves at port i against Z and Z' are related by
// a' = c (a - r b), b' = c (b - r a), r = (Z' - Z) / (Z' + Z),
// c = 1 / sqrt(1 - r^2), so S' = C (S - R) (I - R S)^-1 C^-1 with diagonal
// C and R; written out for two ports.
std::optional<TwoPortS> renormalise(const TwoPortS& s, const std::array<double, 2>& from_ohms,
                                    double to_ohms) {
    const double r1 = (to_ohms - from_ohms[0]) / (to_ohms + from_ohms[0]);
    const double r2 = (to_ohms - from_ohms[1]) / (to_ohms + from_ohms[1]);
    const std::complex<double> d =
        (1.0 - r1 * s.s11) * (1.0 - r2 * s.s22) - r1 * r2 * s.s12 * s.s21;
    if (!std::isnormal(std::abs(d))) return std::nullopt;
    const double through = std::sqrt((1 - r1 * r1) * (1 - r2 * r2));
    TwoPortS out;
    out.s11 = ((s.s11 - r1) * (1.0 - r2 * s.s22) + r2 * s.s12 * s.s21) / d;
    out.s22 = ((s.s22 - r2) * (1.0 - r1 * s.s11) + r1 * s.s12 * s.s21) / d;
    out.s21 = s.s21 * through / d;
    out.s12 = s.s12 * through / d;
    for (const auto& x : {out.s11, out.s21, out.s12, out.s22}) {
        if (!std::isfinite(std::abs(x))) return std::nullopt;
    }
    return out;
}

}  // namespace orlavex::measure
