#include "engine/analyzer_chain.h"

#include "engine/controls.h"
#include "measure/analyzer_noise.h"

#include <optional>

namespace orlavex {

double net_analyzer_factor(const Calculator& calc, double noise, double pa_nf_db,
                           double pa_gain_db) {
    const measure::NoiseForm form = is_selected(calc, Ctl::optSA_Noise_NF)
                                        ? measure::NoiseForm::noise_figure
                                        : measure::NoiseForm::noise_level;
    std::optional<measure::ExternalPreamp> preamp;
    if (is_ticked(calc, Ctl::chkExtPA)) preamp = measure::ExternalPreamp{pa_nf_db, pa_gain_db};
    return measure::net_analyzer_factor(measure::analyzer_noise_figure(noise, form), preamp);
}

}  // namespace orlavex
