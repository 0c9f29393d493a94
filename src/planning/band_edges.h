// Where the catalogue instruments in use change band across a frequency
// range: the faint vertical lines of a sweep's chart.
#pragma once

#include "core/classic_setup.h"
#include "planning/frequency_conversion.h"

#include <string>
#include <vector>

namespace orlavex::planning {

struct BandEdge {
    double freq_ghz;   // in the DUT's input frequency (the swept frequency)
    std::string what;  // "Aravel-4 noise level from 8 GHz", "NS346C match from 18 GHz"
};

// The edges of the analyzer's noise-level and input-match bands and of the
// noise source's match bands (and the lower edge of a waveguide source's
// band) that lie within [from_ghz, to_ghz], for the
// instruments CHOICES name ("User" has none). With a converting DUT the
// analyzer's edges are where its own frequency crosses them (none with a
// fixed IF). Sorted by frequency.
// A separate MEASUREMENT_SOURCE from the catalogue adds its edges, named as
// the measurement source's.
std::vector<BandEdge> band_edges(const core::ClassicChoices& choices, double from_ghz,
                                 double to_ghz, const FrequencyConversion& conversion = {},
                                 const catalogue::NoiseSourceModel* measurement_source = nullptr);

}  // namespace orlavex::planning
