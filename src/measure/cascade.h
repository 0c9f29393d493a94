// Friis: noise factor of two stages in cascade (all quantities linear).
#pragma once

namespace orlavex::measure {

// F = F1 + (F2 - 1) / G1.
double cascade(double f_first, double f_second, double g_first);

// The first stage's noise factor from the cascade's: F1 = F - (F2 - 1) / G1
// (the second-stage correction).
double remove_second_stage(double f_cascade, double f_second, double g_first);

}  // namespace orlavex::measure
