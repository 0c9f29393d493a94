// S-parameters referred to another reference impedance: a network analyzer
// file may give them against 75 ohms or against a different resistance at
// each port, while every figure here assumes 50 ohms.
#pragma once

#include <array>
#include <complex>
#include <optional>

namespace orlavex::measure {

struct TwoPortS {
    std::complex<double> s11, s21, s12, s22;
};

// The same two-port's S-parameters against the real reference resistance
// `to_ohms` at both ports, from those against `from_ohms` (port 1, port 2;
// real and above 0). A one-port is the case S21 = S12 = 0. Empty when the
// network has no such S-parameters (its impedance matrix is singular there).
std::optional<TwoPortS> renormalise(const TwoPortS& s, const std::array<double, 2>& from_ohms,
                                    double to_ohms);

}  // namespace orlavex::measure
