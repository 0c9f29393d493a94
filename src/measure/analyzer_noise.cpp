#include "measure/analyzer_noise.h"

#include "measure/cascade.h"
#include "measure/units.h"

#include <cmath>

namespace orlavex::measure {

double noise_figure_from_level(double danl) {
    return noise_figure_from_signed_level(-std::fabs(danl));
}

double noise_figure_from_signed_level(double level) {
    return level + kT0_magnitude + log_average_dB - noise_bandwidth_dB;
}

double level_from_noise_figure(double nf) {
    return nf - kT0_magnitude - log_average_dB + noise_bandwidth_dB;
}

double analyzer_noise_figure(double noise, NoiseForm form) {
    return form == NoiseForm::noise_figure ? noise : noise_figure_from_level(noise);
}

double net_analyzer_factor(double analyzer_nf_db, const std::optional<ExternalPreamp>& preamp) {
    const double f_analyzer = lin(analyzer_nf_db);
    if (!preamp) return f_analyzer;
    return cascade(lin(preamp->nf_db), f_analyzer, lin(preamp->gain_db));
}

}  // namespace orlavex::measure
