// Reflection coefficients and the mismatch between two ports.
#pragma once

namespace orlavex::measure {

// Reflection coefficient magnitude of a VSWR, or of a return loss in dB.
double reflection(double match, bool vswr_form);
// Return loss in dB of a reflection coefficient magnitude: -20 log10(gamma).
double return_loss_db(double gamma);
// VSWR of a reflection coefficient magnitude below 1: (1 + gamma) / (1 - gamma).
double vswr_from_reflection(double gamma);

// Worst-case mismatch between two ports, dB: -20 log10(1 - ga gb).
double mismatch_db(double gamma_a, double gamma_b);

// Mismatch between two ports at a relative phase phi (radians), dB:
// -20 log10 |1 - ga gb e^(j phi)|.
double mismatch_db(double gamma_a, double gamma_b, double phi);

// Standard uncertainty of the mismatch when the phase is unknown (uniform),
// dB: (20 / ln 10) ga gb / sqrt 2.
double mismatch_std_db(double gamma_a, double gamma_b);

}  // namespace orlavex::measure
