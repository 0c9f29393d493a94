// What the Touchstone reader collects, and the file made from it (with its
// records referred to 50 ohms). Internal to the readers.
#pragma once

#include "datafiles/touchstone.h"

namespace orlavex::datafiles {

struct TouchstoneParts {
    std::string name;
    int ports = 2;
    int version = 1;
    SParameterFormat format = SParameterFormat::magnitude_angle;
    std::array<double, 2> reference_ohms = {50, 50};
    std::vector<TouchstoneRecord> records;
    std::vector<NoiseRecord> noise;
};

class TouchstoneBuilder {
  public:
    // Throws FileError naming the record that has no S-parameters, or noise
    // parameters, against 50 ohms.
    static Touchstone build(TouchstoneParts parts);
};

}  // namespace orlavex::datafiles
