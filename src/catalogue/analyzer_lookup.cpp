#include "catalogue/analyzer_rows.h"
#include "catalogue/model_lookup.h"

namespace orlavex::catalogue {

std::span<const AnalyzerFamily> analyzer_families() {
    return analyzer_rows::families;
}

const AnalyzerModel* find_analyzer(std::string_view name) {
    return find_model(analyzer_families(), name);
}

std::string_view model_name(const AnalyzerModel& model) {
    return model.name;
}

double upper_frequency(const AnalyzerModel& model) {
    return model.upper_ghz;
}

Preamp preamp_kind(const AnalyzerModel& model) {
    return model.preamp;
}

std::string_view option0_caption(const AnalyzerModel& model) {
    return model.option0_caption;
}

double analyzer_noise(const AnalyzerModel& model, double f_ghz, bool preamp_on, bool option0) {
    const NoiseLevels& levels = model.noise.at(f_ghz);
    if (!preamp_on || model.preamp == Preamp::none) return levels.without_preamp;
    if (model.preamp == Preamp::options && !option0) return levels.with_option1;
    return levels.with_preamp;
}

double analyzer_input_vswr(const AnalyzerModel& model, double f_ghz) {
    return model.match.input_vswr.at(f_ghz);
}

std::string_view gain_uncertainty_text(const AnalyzerModel& model) {
    return model.match.gain_uncertainty;
}

std::string_view nf_uncertainty_text(const AnalyzerModel& model) {
    return model.match.nf_uncertainty;
}

}  // namespace orlavex::catalogue
