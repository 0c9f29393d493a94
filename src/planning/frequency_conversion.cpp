#include "planning/frequency_conversion.h"

#include <cmath>

namespace orlavex::planning {

FrequencyConversion conversion_kept(bool fixed_lo, double input_ghz, double output_ghz) {
    if (fixed_lo) return {ConversionMode::fixed_lo, 0, std::fabs(input_ghz - output_ghz)};
    return {ConversionMode::fixed_if, output_ghz, 0};
}

double analyzer_frequency(const FrequencyConversion& conversion, double input_ghz) {
    switch (conversion.mode) {
        case ConversionMode::none:
            return input_ghz;
        case ConversionMode::fixed_if:
            return conversion.if_ghz;
        case ConversionMode::fixed_lo:
            return std::fabs(input_ghz - conversion.lo_ghz);
    }
    return input_ghz;
}

}  // namespace orlavex::planning
