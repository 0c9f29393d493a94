#include "cli/catalogue_listing.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "cli/text_table.h"
#include "engine/number_text.h"
#include "form/layout.h"

#include <algorithm>
#include <cmath>

namespace orlavex::cli {

namespace {

using Json = nlohmann::ordered_json;
using enum TextTable::Align;

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

// "min to max" of a banded value, or the one value.
template <typename Value, typename Get>
std::string span_text(const catalogue::Bands<Value>& b, Get get, int places) {
    double lo = INFINITY;
    double hi = -INFINITY;
    for (const Value& v : b.values) {
        lo = std::min(lo, static_cast<double>(get(v)));
        hi = std::max(hi, static_cast<double>(get(v)));
    }
    if (lo == hi) return fixed(lo, places);
    return fixed(lo, places) + " to " + fixed(hi, places);
}

std::string general(double x) {
    return general_text(x, '.');
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

void print_analyzers(std::ostream& out) {
    TextTable t({left, right, left, right, right, left, left, left});
    t.add({"model", "up to GHz", "int. preamp", "gain unc", "NF unc", "input VSWR", "DANL dBm/Hz",
           "DANL with preamp"});
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& m : family.models) {
            const auto without = [](const catalogue::NoiseLevels& v) { return v.without_preamp; };
            const auto with = [](const catalogue::NoiseLevels& v) { return v.with_preamp; };
            const auto option1 = [](const catalogue::NoiseLevels& v) { return v.with_option1; };
            std::string preamp = m.preamp == catalogue::Preamp::none     ? "-"
                                 : m.preamp == catalogue::Preamp::single ? "yes"
                                                                         : "two options";
            std::string with_preamp =
                m.preamp == catalogue::Preamp::none ? "-" : span_text(m.noise, with, 0);
            if (m.preamp == catalogue::Preamp::options) {
                with_preamp += " / " + span_text(m.noise, option1, 0);
            }
            t.add({std::string(m.name), general(m.upper_ghz), preamp,
                   std::string(m.match.gain_uncertainty), std::string(m.match.nf_uncertainty),
                   span_text(
                       m.match.input_vswr, [](double v) { return v; }, 2),
                   span_text(m.noise, without, 0), with_preamp});
        }
    }
    t.print(out);
}

void print_noise_sources(std::ostream& out) {
    TextTable t({left, left, right, right, left});
    t.add({"model", "maker", "up to GHz", "ENR dB", "output VSWR"});
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& m : maker.models) {
            t.add({std::string(m.name), std::string(maker.caption), general(m.upper_ghz),
                   general(m.enr_db),
                   span_text(
                       m.output_vswr, [](double v) { return v; }, 2)});
        }
    }
    t.print(out);
}

}  // namespace orlavex::cli
