#include "app/results/catalogue_json.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/number_text.h"
#include "form/layout.h"

namespace orlavex::app {

namespace {

std::string_view preamp_text(catalogue::Preamp p) {
    switch (p) {
        case catalogue::Preamp::none:
            return "none";
        case catalogue::Preamp::single:
            return "single";
        case catalogue::Preamp::options:
            return "options";
    }
    return "";
}

// The lower edge of band I; the first band reaches down to 0 Hz.
template <typename Value>
double band_start(const catalogue::Bands<Value>& bands, std::size_t i) {
    return i == 0 ? 0.0 : bands.edges[i - 1];
}

Json noise_bands(const catalogue::AnalyzerModel& m) {
    Json bands = Json::array();
    for (std::size_t i = 0; i < m.noise.values.size(); ++i) {
        const catalogue::NoiseLevels& v = m.noise.values[i];
        Json band = {{"from_ghz", band_start(m.noise, i)}, {"without_preamp", v.without_preamp}};
        if (m.preamp != catalogue::Preamp::none) band["with_preamp"] = v.with_preamp;
        if (m.preamp == catalogue::Preamp::options) band["with_option1"] = v.with_option1;
        bands.push_back(std::move(band));
    }
    return bands;
}

Json vswr_bands(const catalogue::Bands<double>& b) {
    Json bands = Json::array();
    for (std::size_t i = 0; i < b.values.size(); ++i) {
        bands.push_back({{"from_ghz", band_start(b, i)}, {"vswr", b.values[i]}});
    }
    return bands;
}

}  // namespace

Json analyzers_json() {
    Json list = Json::array();
    const std::string_view option1 = layout_row(item(Ctl::mnuIntPA, 1)).text;
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& m : family.models) {
            Json a = {{"name", m.name},
                      {"family", family.name},
                      {"max_freq_ghz", m.upper_ghz},
                      {"preamp", preamp_text(m.preamp)}};
            if (m.preamp == catalogue::Preamp::options) {
                a["preamp_options"] = {m.option0_caption, option1};
            }
            a["gain_unc_db"] = read_number(m.match.gain_uncertainty);
            a["nf_unc_db"] = read_number(m.match.nf_uncertainty);
            a["input_vswr"] = vswr_bands(m.match.input_vswr);
            a["danl_dbm_hz"] = noise_bands(m);
            list.push_back(std::move(a));
        }
    }
    return list;
}

Json noise_sources_json() {
    Json list = Json::array();
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& m : maker.models) {
            list.push_back({{"name", m.name},
                            {"maker", maker.caption},
                            {"max_freq_ghz", m.upper_ghz},
                            {"enr_db", m.enr_db},
                            {"output_vswr", vswr_bands(m.output_vswr)}});
        }
    }
    return list;
}

}  // namespace orlavex::app
