// How the analyzer's frequency follows a frequency-converting DUT while the
// input frequency is swept.
#pragma once

namespace orlavex::planning {

enum class ConversionMode {
    none,      // no conversion: the analyzer sees the input frequency
    fixed_if,  // the output stays at if_ghz (the LO moves with the input)
    fixed_lo,  // the output is |input - lo_ghz|
};

struct FrequencyConversion {
    ConversionMode mode = ConversionMode::none;
    double if_ghz = 0;  // fixed IF: the output frequency
    double lo_ghz = 0;  // fixed LO
};

// The conversion a sweep keeps from a point measured at INPUT_GHZ with its
// output at OUTPUT_GHZ: the LO between them (FIXED_LO) or the output as the
// IF.
FrequencyConversion conversion_kept(bool fixed_lo, double input_ghz, double output_ghz);

// The frequency the analyzer sees (GHz) when the DUT's input is at INPUT_GHZ.
double analyzer_frequency(const FrequencyConversion& conversion, double input_ghz);

}  // namespace orlavex::planning
