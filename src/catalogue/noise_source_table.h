// Row type of the noise source catalogue. The rows live in
// noise_source_rows.h and are reached through noise_source_makers().
#pragma once

#include "catalogue/bands.h"
#include "catalogue/catalogue.h"

#include <string_view>

namespace orlavex::catalogue {

struct NoiseSourceModel {
    std::string_view name;  // menu caption and selection text
    double upper_ghz;
    double enr_db;  // nominal
    Bands<double> output_vswr;
    // The lower edge of a waveguide source's band: below it the guide does
    // not carry the noise (a plan treats such points as out of range; the
    // calculator window keeps only the upper limit). 0 for coaxial sources.
    double lower_ghz = 0;
};

}  // namespace orlavex::catalogue
