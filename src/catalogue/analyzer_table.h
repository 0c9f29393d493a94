// Row types of the analyzer catalogue. The rows themselves live in
// analyzer_rows.h and are reached through analyzer_families().
#pragma once

#include "catalogue/bands.h"
#include "catalogue/catalogue.h"

#include <string_view>

namespace orlavex::catalogue {

// Guaranteed noise levels of one band, dBm/Hz. How many are given follows the
// model's preamp kind: none, only without_preamp; single, the first two;
// options, all three, with_preamp being preamp option 0.
struct NoiseLevels {
    int without_preamp = 0;
    int with_preamp = 0;
    int with_option1 = 0;
};

// Uncertainty texts exactly as they go into the entry fields, and the input
// match by frequency.
struct MatchRule {
    std::string_view gain_uncertainty;  // dB
    std::string_view nf_uncertainty;    // dB
    Bands<double> input_vswr;
};

struct AnalyzerModel {
    std::string_view name;  // family name, hyphen, position in the family ("Aravel-1")
    double upper_ghz;
    Preamp preamp;
    std::string_view option0_caption;  // empty unless preamp is options
    Bands<NoiseLevels> noise;
    MatchRule match;
};

}  // namespace orlavex::catalogue
