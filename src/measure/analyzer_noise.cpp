#include "measure/analyzer_noise.h"

#include <cmath>

namespace orlavex::measure {

double noise_figure_from_level(double danl) {
    return -std::fabs(danl) + kT0_magnitude + log_average_dB - noise_bandwidth_dB;
}

double level_from_noise_figure(double nf) {
    return nf - kT0_magnitude - log_average_dB + noise_bandwidth_dB;
}

}  // namespace orlavex::measure
