#include "planning/point_notes.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "core/number_text.h"
#include "planning/sweep.h"

#include <algorithm>

namespace orlavex::planning {

std::string band_span(std::span<const double> edges, double f_ghz) {
    if (edges.empty()) return "all frequencies";
    const std::size_t i = catalogue::band_index(edges, f_ghz);
    if (i == 0) return "below " + general_text(edges.front()) + " GHz";
    if (i == edges.size()) return "from " + general_text(edges.back()) + " GHz";
    return general_text(edges[i - 1]) + " to " + general_text(edges[i]) + " GHz";
}

std::string point_note(const core::ClassicChoices& choices, const SweepPoint& point,
                       const datafiles::AppliedRecords* enr, const datafiles::DutPoint* dut,
                       const std::string& replaced_source,
                       const catalogue::NoiseSourceModel* measurement_source) {
    std::string note;
    const auto add = [&note](const std::string& part) {
        if (!note.empty()) note += "; ";
        note += part;
    };
    if (const auto* analyzer = choices.analyzer) {
        const double fa = point.analyzer_freq_ghz;
        std::string part = std::string(catalogue::model_name(*analyzer));
        if (choices.freq_conv) part += " at " + general_text(fa) + " GHz";
        part += ": noise band " + band_span(analyzer->noise.edges, fa);
        if (!choices.ext_preamp) {
            part += ", match band " + band_span(analyzer->match.input_vswr.edges, fa);
        }
        add(part);
    }
    if (const auto* source = choices.noise_source) {
        add(std::string(catalogue::model_name(*source)) + ": match band " +
            band_span(source->output_vswr.edges, point.freq_ghz));
    }
    if (measurement_source != nullptr) {
        add(std::string(catalogue::model_name(*measurement_source)) +
            " (measurement): match band " +
            band_span(measurement_source->output_vswr.edges, point.freq_ghz));
    }
    if (enr != nullptr) {
        add("ENR table: " + enr->note());
        if (!replaced_source.empty()) add("source match from the table (" + replaced_source + ")");
    }
    if (dut != nullptr) add("S-parameters: " + dut->note());
    return note;
}

namespace {

PointNoteKey::Records records_key(const datafiles::AppliedRecords* applied) {
    if (applied == nullptr) return {};
    return {true, applied->placement, applied->lower.index, applied->upper.index};
}

PointNoteKey note_key(const core::ClassicChoices& choices, const SweepPoint& point,
                      const datafiles::AppliedRecords* enr, const datafiles::DutPoint* dut,
                      const std::string& replaced_source,
                      const catalogue::NoiseSourceModel* measurement_source) {
    PointNoteKey key;
    if (const auto* analyzer = choices.analyzer) {
        const double fa = point.analyzer_freq_ghz;
        key.analyzer = analyzer;
        key.converted = choices.freq_conv;
        if (key.converted) key.analyzer_ghz = fa;
        key.external_preamp = choices.ext_preamp;
        key.noise_band = catalogue::band_index(analyzer->noise.edges, fa);
        key.match_band = catalogue::band_index(analyzer->match.input_vswr.edges, fa);
    }
    if (const auto* source = choices.noise_source) {
        key.source = source;
        key.source_band = catalogue::band_index(source->output_vswr.edges, point.freq_ghz);
    }
    if (measurement_source != nullptr) {
        key.measurement_source = measurement_source;
        key.measurement_source_band =
            catalogue::band_index(measurement_source->output_vswr.edges, point.freq_ghz);
    }
    key.enr = records_key(enr);
    key.dut = records_key(dut != nullptr ? &dut->applied : nullptr);
    key.replaced_source = replaced_source;
    if (dut != nullptr) key.dut_reference = dut->reference_note;
    return key;
}

}  // namespace

const std::string& PointNotes::note(const core::ClassicChoices& choices, const SweepPoint& point,
                                    const datafiles::AppliedRecords* enr,
                                    const datafiles::DutPoint* dut,
                                    const std::string& replaced_source,
                                    const catalogue::NoiseSourceModel* measurement_source) {
    PointNoteKey key = note_key(choices, point, enr, dut, replaced_source, measurement_source);
    if (key_ != key) {
        note_ = point_note(choices, point, enr, dut, replaced_source, measurement_source);
        key_ = std::move(key);
    }
    return note_;
}

std::string reflection_problem(double gamma, std::string_view what, std::string_view port,
                               const datafiles::AppliedRecords& records) {
    if (gamma < 1) return {};
    const std::string value =
        std::string(what) + " of " + general_text(gamma) + " (" + records.note() + "): ";
    if (gamma == 1) {
        return value + std::string(port) +
               " reflects all it receives, which no VSWR in the window expresses";
    }
    return value + std::string(port) +
           " would reflect more than it receives, which a passive port cannot";
}

PointCounts count_points(const SweepResult& result) {
    PointCounts counts;
    counts.points = result.points.size();
    for (const SweepPoint& p : result.points) {
        if (!p.in_range) continue;
        ++(p.held ? counts.held : counts.in_range);
    }
    return counts;
}

std::string counts_text(const PointCounts& counts) {
    std::string text =
        std::to_string(counts.points) + " points, " + std::to_string(counts.in_range) + " in range";
    if (counts.held > 0)
        text += ", " + std::to_string(counts.held) + " held from the nearest record";
    return text;
}

}  // namespace orlavex::planning
