#include "catalogue/catalogue.h"

#include <algorithm>

namespace orlavex::catalogue {

std::size_t band_index(std::span<const double> upper_band_edges, double f_ghz) {
    // Counting the edges at or below f gives the band; NaN is below no edge,
    // so it counts none and lands in band 0.
    const auto passed =
        std::ranges::count_if(upper_band_edges, [f_ghz](double edge) { return edge <= f_ghz; });
    return static_cast<std::size_t>(passed);
}

}  // namespace orlavex::catalogue
