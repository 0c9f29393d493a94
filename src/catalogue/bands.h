// Step functions of frequency, the shape of every banded catalogue value:
// written as one row per band, stored as the lower edges of bands 2, 3, ...
// (what band_index reads) next to one value per band.
#pragma once

#include "catalogue/catalogue.h"

#include <array>
#include <cstddef>
#include <limits>
#include <span>

namespace orlavex::catalogue {

// A read-only view of one banded table.
template <typename Value>
struct Bands {
    std::span<const double> edges;  // GHz, ascending; lower edges of bands 2, 3, ...
    std::span<const Value> values;  // one per band, edges.size() + 1 in all

    const Value& at(double f_ghz) const { return values[band_index(edges, f_ghz)]; }
};

// The lower edge written for band 1, which reaches down without limit.
inline constexpr double below = -std::numeric_limits<double>::infinity();

// One band as a table row in the source: its lower edge and its value.
template <typename Value>
struct BandRow {
    double from_ghz;
    Value value;
};

template <typename Value, std::size_t N>
struct BandStorage {
    std::array<double, N - 1> edges{};
    std::array<Value, N> values{};

    constexpr operator Bands<Value>() const { return {edges, values}; }
};

// Turns rows into storage. A table whose first row does not start `below`,
// or whose edges do not ascend, fails to compile.
template <typename Value, std::size_t N>
consteval BandStorage<Value, N> banded(const BandRow<Value> (&rows)[N]) {
    BandStorage<Value, N> table;
    for (std::size_t i = 0; i < N; ++i) {
        const bool first = i == 0;
        if (first != (rows[i].from_ghz == below)) throw "only band 1 starts at `below`";
        if (!first && !(rows[i - 1].from_ghz < rows[i].from_ghz)) throw "band edges must ascend";
        if (!first) table.edges[i - 1] = rows[i].from_ghz;
        table.values[i] = rows[i].value;
    }
    return table;
}

template <std::size_t N>
consteval BandStorage<double, N> vswr_bands(const BandRow<double> (&rows)[N]) {
    return banded(rows);
}

}  // namespace orlavex::catalogue
