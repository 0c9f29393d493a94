// The built-in instrument catalogues: 69 analyzer models in 16 families and
// 22 noise sources of three makers, as constant tables with their lookups.
// Standard library only; nothing here knows about windows or controls.
#pragma once

#include <span>
#include <string_view>

namespace orlavex::catalogue {

// ---- Analyzers -------------------------------------------------------------

enum class Preamp {
    single,   // one internal preamplifier
    none,     // no internal preamplifier: "Int PA" is cleared and locked
    options,  // two alternative internal preamplifiers, option 0 and option 1
};

struct AnalyzerModel;  // defined in analyzer_table.h

struct AnalyzerFamily {
    std::string_view name;                  // also the caption of the family's submenu
    std::span<const AnalyzerModel> models;  // in submenu order; item k is model k+1
};

// The 16 families in menu order.
std::span<const AnalyzerFamily> analyzer_families();

// The model with exactly this name ("Aravel-1"), or nullptr ("User" included).
const AnalyzerModel* find_analyzer(std::string_view name);

std::string_view model_name(const AnalyzerModel& model);
double upper_frequency(const AnalyzerModel& model);  // GHz
Preamp preamp_kind(const AnalyzerModel& model);
std::string_view option0_caption(const AnalyzerModel& model);  // empty unless options

// Guaranteed noise level in dBm/Hz at f GHz. `preamp_on` is the "Int PA"
// flag; `option0` says whether preamp option 0 (else option 1) is in use and
// matters only for models with two preamp options.
double analyzer_noise(const AnalyzerModel& model, double f_ghz, bool preamp_on, bool option0);

// The family's match rule: input VSWR at f GHz and the two uncertainty
// texts exactly as they are written into the entry fields.
double analyzer_input_vswr(const AnalyzerModel& model, double f_ghz);
std::string_view gain_uncertainty_text(const AnalyzerModel& model);  // "0.15" or "0.2"
std::string_view nf_uncertainty_text(const AnalyzerModel& model);    // "0.05" or "0.1"

// ---- Noise sources ---------------------------------------------------------

struct NoiseSourceModel;  // defined in noise_source_table.h

struct NoiseSourceMaker {
    std::string_view caption;                  // submenu caption, "Mercury (Micronetics)"
    std::span<const NoiseSourceModel> models;  // in menu order
};

// The three makers in menu order: Mercury, NoiseCom, Quinstar.
std::span<const NoiseSourceMaker> noise_source_makers();

const NoiseSourceModel* find_noise_source(std::string_view name);

std::string_view model_name(const NoiseSourceModel& model);
double upper_frequency(const NoiseSourceModel& model);  // GHz
// The lower edge of a waveguide source's band in GHz; 0 for a coaxial source.
double lower_frequency(const NoiseSourceModel& model);
double nominal_enr(const NoiseSourceModel& model);  // dB
double output_vswr(const NoiseSourceModel& model, double f_ghz);

// ---- Bands -----------------------------------------------------------------

// Index of the band that holds f, given the lower edges of bands 2, 3, ...
// in ascending order: band 0 covers every frequency below the first edge,
// a frequency on an edge belongs to the band that starts there, and the last
// band has no upper end.
std::size_t band_index(std::span<const double> upper_band_edges, double f_ghz);

}  // namespace orlavex::catalogue
