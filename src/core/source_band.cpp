#include "core/source_band.h"

#include "catalogue/catalogue.h"
#include "core/number_text.h"

namespace orlavex::core {

std::string below_waveguide_band(std::string_view model, double f_ghz) {
    const catalogue::NoiseSourceModel* source = catalogue::find_noise_source(model);
    if (source == nullptr) return {};
    const double lower = catalogue::lower_frequency(*source);
    if (!(f_ghz < lower)) return {};
    return general_text(f_ghz) + " GHz is below the noise source " + std::string(model) +
           "'s waveguide band, which starts at " + general_text(lower) + " GHz";
}

std::string outside_measurement_source(std::string_view model, double f_ghz) {
    const catalogue::NoiseSourceModel* source = catalogue::find_noise_source(model);
    if (source == nullptr) return {};
    const std::string name(model);
    if (std::string why = below_waveguide_band(model, f_ghz); !why.empty()) return why;
    const double upper = catalogue::upper_frequency(*source);
    if (!(f_ghz > upper)) return {};
    return general_text(f_ghz) + " GHz is above the measurement noise source " + name +
           "'s limit of " + general_text(upper) + " GHz";
}

}  // namespace orlavex::core
