#include "core/source_band.h"

#include "catalogue/catalogue.h"
#include "core/number_text.h"

namespace orlavex::core {

std::string outside_measurement_source(std::string_view model, double f_ghz) {
    const catalogue::NoiseSourceModel* source = catalogue::find_noise_source(model);
    if (source == nullptr) return {};
    const std::string name(model);
    const double lower = catalogue::lower_frequency(*source);
    if (f_ghz < lower) {
        return general_text(f_ghz) + " GHz is below the noise source " + name +
               "'s waveguide band, which starts at " + general_text(lower) + " GHz";
    }
    const double upper = catalogue::upper_frequency(*source);
    if (!(f_ghz > upper)) return {};
    return general_text(f_ghz) + " GHz is above the measurement noise source " + name +
           "'s limit of " + general_text(upper) + " GHz";
}

}  // namespace orlavex::core
