#include "app/inputs/work_limits.h"

#include "app/texts.h"

#include <algorithm>

namespace orlavex::app {

namespace {

std::string model_name(std::string_view keyword, Naming naming) {
    const auto* row = std::ranges::find(model_inputs, keyword, &ModelInput::name);
    return std::string(naming == Naming::flag ? row->flag : row->name);
}

}  // namespace

std::string readings_refusal(const ModelInputs& m, Naming naming) {
    if (!(m.noise_bw_hz > 0 && m.tau_s > 0)) return {};
    if (m.noise_bw_hz * m.tau_s >= fewest_samples_per_reading) return {};
    return model_name("noise_bw", naming) + " times " + model_name("tau", naming) +
           " must be at least 1 (a reading averages one sample or more; 0 turns the jitter "
           "off): " +
           shortest_text(m.noise_bw_hz) + " Hz times " + shortest_text(m.tau_s) + " s is less";
}

std::string sweep_work_refusal(std::size_t points, std::size_t trials, bool monte_carlo,
                               Naming naming) {
    const double asked = static_cast<double>(points) * static_cast<double>(trials);
    if (!monte_carlo || asked <= most_sweep_trials) return {};
    const std::string points_name = naming == Naming::flag ? "--points" : "points";
    return "a sweep's Monte Carlo runs at most " + shortest_text(most_sweep_trials) +
           " trials in all (" + points_name + " times " + model_name("trials", naming) +
           "); this one asks for " + shortest_text(asked);
}

}  // namespace orlavex::app
