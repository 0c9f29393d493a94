// The noise source catalogue: 22 models of three makers.
// Constant data, reached through noise_source_makers() and, at compile
// time, by the window's check of its catalogue menus.
#pragma once

#include "catalogue/noise_source_table.h"

namespace orlavex::catalogue {

namespace noise_source_rows {

// Output VSWR of each model, one row per band.

// clang-format off
constexpr auto ns346a_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}});
constexpr auto ns346ak_vswr  = vswr_bands({{below, 1.15}, {5, 1.25}, {18, 1.3}});
constexpr auto ns346b_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}});
constexpr auto ns346c_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}, {18, 1.5}});
constexpr auto ns346d_vswr   = vswr_bands({{below, 1.5}});
constexpr auto ns346e_vswr   = vswr_bands({{below, 1.5}});
constexpr auto ns346ka_vswr  = vswr_bands({{below, 1.25}, {5, 1.3}, {18, 1.4}, {26.5, 1.5}});

constexpr auto nc346a_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}});
constexpr auto nc346b_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}});
constexpr auto nc346b_n_vswr = vswr_bands({{below, 1.15}, {5, 1.35}});
constexpr auto nc346c_vswr   = vswr_bands({{below, 1.15}, {5, 1.25}, {18, 1.35}});
constexpr auto nc346d_vswr   = vswr_bands({{below, 1.5}});
constexpr auto nc346d_n_vswr = vswr_bands({{below, 1.5}, {5, 1.75}});
constexpr auto nc346e_vswr   = vswr_bands({{below, 1.5}});
constexpr auto nc346ka_vswr  = vswr_bands({{below, 1.25}, {5, 1.3}, {18, 1.4}, {26.5, 1.5}});
constexpr auto nc346v_vswr   = vswr_bands({{below, 1.5}, {18, 1.75}, {26.5, 2}, {40, 2.5}});

constexpr auto wr15_vswr     = vswr_bands({{below, 2}});
constexpr auto wr15_amp_vswr = vswr_bands({{below, 2}});
constexpr auto wr12_vswr     = vswr_bands({{below, 2}});
constexpr auto wr12_amp_vswr = vswr_bands({{below, 2}});
constexpr auto wr10_vswr     = vswr_bands({{below, 2.5}});
constexpr auto wr10_amp_vswr = vswr_bands({{below, 2.5}});
// clang-format on

// Models in menu order: name, upper frequency GHz, nominal ENR dB, output VSWR
// and, for the waveguide sources, the lower edge of their band in GHz: the
// recommended operating range of the EIA waveguide size (RS-261-B): WR-15
// 50 to 75 GHz, WR-12 60 to 90 GHz, WR-10 75 to 110 GHz.

// clang-format off
constexpr NoiseSourceModel mercury[] = {
    {"NS346A",          18,   6,    ns346a_vswr},
    {"NS346AK",         26.5, 6.5,  ns346ak_vswr},
    {"NS346B",          18,   15,   ns346b_vswr},
    {"NS346C",          26.5, 15,   ns346c_vswr},
    {"NS346D",          18,   22,   ns346d_vswr},
    {"NS346E",          26.5, 22,   ns346e_vswr},
    {"NS346Ka",         40,   13.5, ns346ka_vswr},
};
constexpr NoiseSourceModel noisecom[] = {
    {"NC346A",          18,   6,    nc346a_vswr},
    {"NC346B",          18,   15,   nc346b_vswr},
    {"NC346B (Type N)", 18,   15,   nc346b_n_vswr},
    {"NC346C",          26.5, 15,   nc346c_vswr},
    {"NC346D",          18,   22,   nc346d_vswr},
    {"NC346D (Type N)", 18,   22,   nc346d_n_vswr},
    {"NC346E",          26.5, 22,   nc346e_vswr},
    {"NC346Ka",         40,   13.5, nc346ka_vswr},
    {"NC346V",          60,   14,   nc346v_vswr},
};
constexpr NoiseSourceModel quinstar[] = {
    {"WR-15",           75,   15,   wr15_vswr,     50},
    {"WR-15 (amp)",     75,   25,   wr15_amp_vswr, 50},
    {"WR-12",           90,   15,   wr12_vswr,     60},
    {"WR-12 (amp)",     90,   25,   wr12_amp_vswr, 60},
    {"WR-10",           110,  12,   wr10_vswr,     75},
    {"WR-10 (amp)",     110,  25,   wr10_amp_vswr, 75},
};
// clang-format on

constexpr NoiseSourceMaker makers[] = {
    {"Mercury (Micronetics)", mercury},
    {"NoiseCom", noisecom},
    {"Quinstar", quinstar},
};

}  // namespace noise_source_rows

}  // namespace orlavex::catalogue
