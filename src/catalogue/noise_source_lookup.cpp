#include "catalogue/model_lookup.h"
#include "catalogue/noise_source_rows.h"

namespace orlavex::catalogue {

std::span<const NoiseSourceMaker> noise_source_makers() {
    return noise_source_rows::makers;
}

const NoiseSourceModel* find_noise_source(std::string_view name) {
    return find_model(noise_source_makers(), name);
}

std::string_view model_name(const NoiseSourceModel& model) {
    return model.name;
}

double upper_frequency(const NoiseSourceModel& model) {
    return model.upper_ghz;
}

double lower_frequency(const NoiseSourceModel& model) {
    return model.lower_ghz;
}

double nominal_enr(const NoiseSourceModel& model) {
    return model.enr_db;
}

double output_vswr(const NoiseSourceModel& model, double f_ghz) {
    return model.output_vswr.at(f_ghz);
}

}  // namespace orlavex::catalogue
