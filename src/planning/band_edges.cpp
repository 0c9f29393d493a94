#include "planning/band_edges.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/number_text.h"

#include <algorithm>

namespace orlavex::planning {

namespace {

std::string ghz(double f) {
    return general_text(f) + " GHz";
}

struct EdgeCollector {
    double from, to;
    std::vector<BandEdge> edges;

    void add(double f, std::string what) {
        if (f >= from && f <= to) edges.push_back({f, std::move(what)});
    }
};

}  // namespace

std::vector<BandEdge> band_edges(const core::ClassicChoices& choices, double from_ghz,
                                 double to_ghz, const FrequencyConversion& conversion,
                                 const catalogue::NoiseSourceModel* measurement_source) {
    EdgeCollector out{std::min(from_ghz, to_ghz), std::max(from_ghz, to_ghz), {}};

    const auto add_source_edges = [&out](const catalogue::NoiseSourceModel& source,
                                         const std::string& name) {
        if (const double lower = catalogue::lower_frequency(source); lower > 0) {
            out.add(lower, name + " waveguide band from " + ghz(lower));
        }
        for (double e : source.output_vswr.edges)
            out.add(e, name + " match from " + ghz(e));
    };
    if (const auto* source = choices.noise_source)
        add_source_edges(*source, std::string(catalogue::model_name(*source)));
    if (measurement_source != nullptr) {
        add_source_edges(
            *measurement_source,
            std::string(catalogue::model_name(*measurement_source)) + " (measurement)");
    }

    // The analyzer sees the input frequency unless the DUT converts it; with a
    // fixed LO it crosses an edge e at LO - e and at LO + e.
    const bool converting = choices.freq_conv;
    const bool follows_input = !converting || conversion.mode == ConversionMode::fixed_lo;
    const auto* analyzer = choices.analyzer;
    if (analyzer != nullptr && follows_input) {
        const std::string name(catalogue::model_name(*analyzer));
        const auto add_analyzer_edge = [&](double e, const std::string& what) {
            if (!converting) {
                out.add(e, what);
                return;
            }
            out.add(conversion.lo_ghz - e, what + " (output)");
            out.add(conversion.lo_ghz + e, what + " (output)");
        };
        for (double e : analyzer->noise.edges)
            add_analyzer_edge(e, name + " noise level from " + ghz(e));
        // The analyzer's own match counts only while no external preamp is in front.
        if (!choices.ext_preamp) {
            for (double e : analyzer->match.input_vswr.edges) {
                add_analyzer_edge(e, name + " match from " + ghz(e));
            }
        }
    }
    std::ranges::stable_sort(out.edges, {}, &BandEdge::freq_ghz);
    return out.edges;
}

}  // namespace orlavex::planning
