#include "cli/catalogue_listing.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "cli/text_table.h"
#include "core/number_text.h"
#include "form/layout.h"

#include <algorithm>
#include <cmath>

namespace orlavex::cli {

namespace {

using enum TextTable::Align;

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
