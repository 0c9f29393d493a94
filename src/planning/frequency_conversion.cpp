#include "planning/frequency_conversion.h"

#include <cmath>

namespace orlavex::planning {

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
