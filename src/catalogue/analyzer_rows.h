// The analyzer catalogue: noise profiles, match rules, models and families.
// Constant data, reached through analyzer_families() and, at compile
// time, by the window's check of its catalogue menus.
#pragma once

#include "catalogue/analyzer_table.h"

#include <cstddef>

namespace orlavex::catalogue {

namespace analyzer_rows {

template <std::size_t N>
consteval BandStorage<NoiseLevels, N> noise_bands(const BandRow<NoiseLevels> (&rows)[N]) {
    return banded(rows);
}

// Noise profiles, dBm/Hz. Per band: without preamp / with preamp, or for
// models with two preamp options: without / option 0 / option 1; for models
// without a preamp the one value. The comment names the models using it.

// clang-format off
// Aravel-1
constexpr auto n1 = noise_bands({
    {below, {-150, -154}},
    {0.05,  {-150, -163}},
    {0.15,  {-150, -166}},
    {1,     {-152, -166}},
});
// Aravel-2, Aravel-3
constexpr auto n2 = noise_bands({
    {below, {-149, -154}},
    {0.05,  {-149, -163}},
    {0.15,  {-149, -166}},
    {1,     {-151, -166}},
    {8,     {-150, -164}},
    {13.6,  {-149, -162}},
    {18,    {-147, -162}},
    {22,    {-147, -157}},
    {25,    {-143, -157}},
});
// Aravel-4
constexpr auto n3 = noise_bands({
    {below, {-149, -165}},
    {3,     {-151, -162}},
    {8,     {-150, -162}},
    {13.6,  {-149, -162}},
    {18,    {-147, -161}},
    {25,    {-143, -161}},
    {26.5,  {-143, -160}},
    {34,    {-140, -160}},
    {40,    {-138, -157}},
});
// Aravel-5
constexpr auto n4 = noise_bands({
    {below, {-149, -165}},
    {1,     {-151, -165}},
    {3,     {-151, -162}},
    {8,     {-150, -162}},
    {13.6,  {-149, -162}},
    {18,    {-147, -161}},
    {25,    {-143, -161}},
    {26.5,  {-143, -160}},
    {34,    {-140, -160}},
    {40,    {-138, -157}},
    {43.5,  {-136, -155}},
    {47,    {-134, -153}},
    {49,    {-132, -153}},
});
// Aravel-6
constexpr auto n5 = noise_bands({
    {below, {-149, -165}},
    {1,     {-151, -165}},
    {3,     {-151, -162}},
    {8,     {-146, -161}},
    {13.6,  {-144, -161}},
    {18,    {-141, -161}},
    {23,    {-137, -160}},
    {26.5,  {-137, -161}},
    {30,    {-135, -159}},
    {34,    {-131, -159}},
    {35,    {-131, -150}},
    {43.5,  {-127, -150}},
    {47,    {-124, -146}},
    {49,    {-122, -146}},
    {50,    {-128, -153}},
    {51,    {-131, -154}},
    {52,    {-131, -152}},
    {54,    {-131, -148}},
    {55,    {-127, -148}},
    {62,    {-122, -142}},
});
// Aravel-7
constexpr auto n6 = noise_bands({
    {below, {-145}},
    {1,     {-151}},
    {8,     {-146}},
    {13.6,  {-144}},
    {18,    {-141}},
    {23,    {-137}},
    {30,    {-135}},
    {34,    {-129}},
    {44,    {-137}},
    {58,    {-132}},
    {70,    {-127}},
    {75,    {-122}},
    {80,    {-120}},
});
// Dalmor-1, Dalmor-2
constexpr auto n7 = noise_bands({
    {below, {-152, -164}},
    {1,     {-151, -164}},
    {3,     {-150, -164}},
    {6,     {-149, -164}},
});
// Dalmor-3, Dalmor-4
constexpr auto n8 = noise_bands({
    {below, {-151, -164}},
    {1,     {-149, -164}},
    {3,     {-147, -164}},
    {6,     {-145, -164}},
    {7.5,   {-148, -162}},
    {13.6,  {-148, -160}},
    {15,    {-145, -160}},
    {22,    {-145, -157}},
    {26.5,  {-144, -155}},
});
// Dalmor-5
constexpr auto n9 = noise_bands({
    {below, {-151, -164}},
    {1,     {-149, -164}},
    {3,     {-147, -161}},
    {6,     {-145, -161}},
    {7.5,   {-148, -160}},
    {15,    {-145, -160}},
    {26.5,  {-145, -158}},
    {34,    {-139, -158}},
    {40,    {-136, -149}},
});
// Galder-1, Galder-2
constexpr auto n10 = noise_bands({
    {below, {-140, -160}},
    {0.001, {-145, -165}},
    {1,     {-151, -163}},
    {3,     {-149, -163}},
    {6,     {-148, -163}},
});
// Galder-3, Galder-4
constexpr auto n11 = noise_bands({
    {below, {-140, -145, -145}},
    {0.001, {-151, -160, -160}},
    {0.02,  {-151, -162, -162}},
    {1,     {-149, -162, -162}},
    {3,     {-146, -162, -162}},
    {6,     {-144, -162, -162}},
    {7,     {-147, -147, -164}},
    {15,    {-142, -142, -159}},
});
// Galder-5
constexpr auto n12 = noise_bands({
    {below, {-145, -165, -160}},
    {0.02,  {-151, -165, -162}},
    {1,     {-149, -163, -162}},
    {3,     {-146, -163, -162}},
    {6,     {-144, -163, -162}},
    {7,     {-145, -145, -164}},
    {15,    {-142, -142, -159}},
    {34,    {-136, -136, -154}},
});
// Belquin-1, Belquin-2
constexpr auto n13 = noise_bands({
    {below, {-149, -165}},
    {1,     {-150, -165}},
    {3,     {-150, -162}},
    {13.6,  {-148, -162}},
    {18,    {-145, -160}},
    {23,    {-145, -156}},
    {25,    {-140, -156}},
});
// Belquin-3
constexpr auto n14 = noise_bands({
    {below, {-149, -165}},
    {1,     {-150, -165}},
    {3,     {-150, -160}},
    {8,     {-150, -162}},
    {13.6,  {-148, -162}},
    {18,    {-145, -160}},
    {23,    {-145, -156}},
    {25,    {-140, -156}},
    {34,    {-137, -156}},
    {40,    {-135, -152}},
    {43.5,  {-133, -146}},
    {47,    {-131, -146}},
    {49,    {-129, -146}},
});
// Corvex-1, Corvex-2
constexpr auto n15 = noise_bands({
    {below, {-145, -162}},
    {1,     {-148, -162}},
    {3,     {-148, -161}},
});
// Corvex-3
constexpr auto n16 = noise_bands({
    {below, {-145, -162}},
    {1,     {-148, -162}},
    {3,     {-148, -161}},
    {6,     {-145, -161}},
});
// Corvex-4
constexpr auto n17 = noise_bands({
    {below, {-145, -162}},
    {1,     {-149, -162}},
    {3,     {-147, -161}},
    {6,     {-145, -161}},
    {7.5,   {-148, -161}},
    {13.6,  {-148, -160}},
    {15,    {-145, -160}},
    {22,    {-145, -157}},
    {26.5,  {-143, -155}},
});
// Corvex-5
constexpr auto n18 = noise_bands({
    {below, {-145, -164}},
    {1,     {-149, -164}},
    {3,     {-147, -161}},
    {6,     {-145, -161}},
    {7.5,   {-148, -160}},
    {15,    {-145, -160}},
    {26.5,  {-143, -157}},
    {34,    {-136, -155}},
    {40,    {-136, -149}},
});
// Elvane-1, Elvane-2, Hestra-1, Hestra-2, Istrel-1
constexpr auto n19 = noise_bands({
    {below, {-152, -162}},
    {1,     {-150, -160}},
    {3.6,   {-148, -158}},
    {6,     {-146, -156}},
});
// Elvane-3, Elvane-4, Hestra-3, Hestra-4
constexpr auto n20 = noise_bands({
    {below, {-151, -155, -155}},
    {0.02,  {-151, -162, -160}},
    {1,     {-149, -159, -157}},
    {3.6,   {-146, -156, -153}},
    {6,     {-144, -154, -150}},
    {7.4,   {-148, -148, -164}},
    {15,    {-144, -144, -159}},
});
// Elvane-5, Hestra-5
constexpr auto n21 = noise_bands({
    {below, {-151, -155, -155}},
    {0.02,  {-151, -161, -160}},
    {1,     {-149, -159, -157}},
    {3.6,   {-146, -156, -153}},
    {6,     {-144, -154, -150}},
    {7.4,   {-145, -145, -164}},
    {15,    {-142, -142, -159}},
    {34,    {-136, -136, -154}},
});
// Istrel-2, Istrel-3
constexpr auto n22 = noise_bands({
    {below, {-151, -155, -155}},
    {0.02,  {-151, -160, -160}},
    {1,     {-149, -159, -157}},
    {3.6,   {-146, -156, -153}},
    {6,     {-144, -154, -150}},
    {7.4,   {-147, -147, -164}},
    {15,    {-142, -142, -159}},
});
// Istrel-4
constexpr auto n23 = noise_bands({
    {below, {-151, -155, -155}},
    {0.02,  {-151, -160, -160}},
    {1,     {-149, -159, -157}},
    {3.6,   {-146, -156, -153}},
    {6,     {-144, -154, -150}},
    {7.4,   {-144, -144, -164}},
    {15,    {-143, -143, -159}},
    {34,    {-136, -136, -153}},
});
// Jovane-1
constexpr auto n24 = noise_bands({
    {below, {-145, -155}},
    {0.005, {-149, -163}},
    {2,     {-148, -162}},
});
// Kelmar-1, Lorwen-1
constexpr auto n25 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-155, -162}},
    {2,     {-153, -160}},
    {3,     {-152, -160}},
});
// Kelmar-2
constexpr auto n26 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-155, -162}},
    {2,     {-153, -160}},
    {3,     {-152, -160}},
    {3.6,   {-150, -157}},
    {7,     {-149, -157}},
});
// Kelmar-3
constexpr auto n27 = noise_bands({
    {below, {-153, -162, -161}},
    {0.02,  {-152, -162, -163}},
    {2,     {-150, -160, -161}},
    {3.6,   {-151, -162, -162}},
    {8,     {-149, -159, -162}},
    {13,    {-147, -157, -162}},
    {18,    {-145, -154, -162}},
    {22,    {-143, -150, -162}},
});
// Kelmar-4
constexpr auto n28 = noise_bands({
    {below, {-153, -161}},
    {0.02,  {-152, -163}},
    {2,     {-150, -161}},
    {3.6,   {-150, -162}},
    {8,     {-148, -162}},
    {18,    {-145, -162}},
    {22,    {-143, -162}},
    {26.5,  {-135, -160}},
    {32,    {-135, -158}},
});
// Lorwen-2
constexpr auto n29 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-155, -162}},
    {2,     {-153, -160}},
    {3,     {-152, -160}},
    {3.6,   {-152, -157}},
    {7,     {-150, -157}},
});
// Lorwen-3
constexpr auto n30 = noise_bands({
    {below, {-153, -162, -163}},
    {0.02,  {-152, -162, -164}},
    {2,     {-150, -160, -163}},
    {3.6,   {-152, -162, -165}},
    {8,     {-150, -159, -165}},
    {13,    {-148, -157, -165}},
    {18,    {-148, -154, -165}},
    {20,    {-147, -154, -163}},
    {22,    {-145, -150, -163}},
});
// Lorwen-4, Lorwen-5
constexpr auto n31 = noise_bands({
    {below, {-153, -163}},
    {0.02,  {-152, -164}},
    {2,     {-150, -165}},
    {13,    {-148, -165}},
    {18,    {-147, -165}},
    {20,    {-147, -163}},
    {22,    {-145, -163}},
    {26.5,  {-138, -163}},
    {33,    {-138, -158}},
    {40,    {-133, -158}},
    {42,    {-133, -152}},
});
// Lorwen-6
constexpr auto n32 = noise_bands({
    {below, {-153, -163}},
    {0.02,  {-152, -164}},
    {2,     {-150, -165}},
    {13,    {-148, -165}},
    {18,    {-147, -165}},
    {20,    {-147, -163}},
    {22,    {-145, -163}},
    {26.5,  {-138, -163}},
    {32,    {-133, -163}},
    {33,    {-133, -158}},
    {42,    {-133, -152}},
    {46,    {-128, -152}},
});
// Lorwen-7
constexpr auto n33 = noise_bands({
    {below, {-153}},
    {0.02,  {-148}},
    {2,     {-144}},
    {13,    {-142}},
    {18,    {-140}},
    {22,    {-138}},
    {26.5,  {-136}},
    {40,    {-132}},
    {46,    {-128}},
    {51,    {-130}},
    {57,    {-126}},
    {65,    {-120}},
});
// Morvel-1
constexpr auto n34 = noise_bands({
    {below, {-150, -162}},
    {0.02,  {-152, -162}},
    {2,     {-151, -160}},
    {3,     {-150, -160}},
    {3.6,   {-150, -157}},
    {7,     {-149, -157}},
});
// Morvel-2
constexpr auto n35 = noise_bands({
    {below, {-150, -162}},
    {0.02,  {-152, -162}},
    {2,     {-150, -160}},
    {3.6,   {-150, -150}},
    {8,     {-149, -149}},
});
// Nalvor-1
constexpr auto n36 = noise_bands({
    {below, {-130, -145}},
    {0.05,  {-140, -152}},
});
// Nalvor-2
constexpr auto n37 = noise_bands({
    {below, {-130, -145}},
    {0.05,  {-140, -152}},
    {3,     {-136, -146}},
    {5,     {-130, -140}},
});
// Nalvor-3
constexpr auto n38 = noise_bands({
    {below, {-130, -145}},
    {0.05,  {-140, -152}},
    {3,     {-136, -149}},
    {5,     {-136, -145}},
    {6,     {-136, -136}},
    {12,    {-130, -130}},
    {18,    {-123, -123}},
});
// Ostrel-1, Ostrel-2
constexpr auto n39 = noise_bands({
    {below, {-110, -125}},
    {0.01,  {-130, -150}},
    {0.05,  {-140, -156}},
});
// Ostrel-3
constexpr auto n40 = noise_bands({
    {below, {-125, -125}},
    {0.02,  {-125, -140}},
    {6,     {-125, -125}},
    {10,    {-120, -120}},
});
// Pellin-1
constexpr auto n41 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-154, -162}},
    {2,     {-152, -160}},
    {3,     {-150, -160}},
    {3.6,   {-152, -157}},
    {7,     {-150, -157}},
});
// Pellin-2
constexpr auto n42 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-151, -162}},
    {2,     {-148, -160}},
    {3.6,   {-152, -162}},
    {8,     {-150, -159}},
    {13,    {-148, -157}},
    {18,    {-147, -154}},
    {22,    {-145, -150}},
});
// Pellin-3
constexpr auto n43 = noise_bands({
    {below, {-153, -162}},
    {0.02,  {-151, -162}},
    {2,     {-148, -160}},
    {3.6,   {-151, -162}},
    {8,     {-149, -159}},
    {13,    {-147, -157}},
    {18,    {-145, -154}},
    {22,    {-143, -150}},
});
// Pellin-4
constexpr auto n44 = noise_bands({
    {below, {-153, -160}},
    {0.02,  {-151, -160}},
    {0.04,  {-151, -162}},
    {2,     {-148, -160}},
    {3.6,   {-150, -150}},
    {13,    {-148, -148}},
    {18,    {-147, -147}},
    {22,    {-145, -145}},
    {26.5,  {-138, -138}},
    {32,    {-133, -133}},
    {46,    {-128, -128}},
});
// Pellin-5
constexpr auto n45 = noise_bands({
    {below, {-153, -160}},
    {0.02,  {-151, -160}},
    {0.04,  {-151, -162}},
    {2,     {-148, -160}},
    {3.6,   {-148, -148}},
    {13,    {-146, -146}},
    {18,    {-145, -145}},
    {22,    {-143, -143}},
    {26.5,  {-135, -135}},
    {32,    {-130, -130}},
    {40,    {-128, -128}},
    {46,    {-125, -125}},
});
// Quarro-1
constexpr auto n46 = noise_bands({
    {below, {-152, -162}},
    {1,     {-150, -162}},
    {2,     {-150, -160}},
});
// Quarro-2
constexpr auto n47 = noise_bands({
    {below, {-150, -162}},
    {1,     {-148, -162}},
    {2,     {-148, -160}},
});
// Quarro-3
constexpr auto n48 = noise_bands({
    {below, {-150, -162}},
    {1,     {-148, -162}},
    {2,     {-145, -160}},
    {7,     {-142, -142}},
});
// Quarro-4
constexpr auto n49 = noise_bands({
    {below, {-150, -162}},
    {1,     {-148, -162}},
    {2,     {-145, -160}},
    {7,     {-142, -142}},
    {13.6,  {-130, -130}},
    {22,    {-125, -125}},
});
// Quarro-5
constexpr auto n50 = noise_bands({
    {below, {-150, -162}},
    {1,     {-148, -162}},
    {2,     {-145, -160}},
    {7,     {-142, -142}},
    {13.6,  {-130, -130}},
    {30,    {-122, -122}},
});
// clang-format on

// Match rules R1 to R9: gain and noise figure uncertainty texts as written
// into the fields, and the input VSWR. Rules R1 and R6 hold 1.87 at every
// frequency for some of their models, kept as the _flat variants.

// clang-format off
constexpr auto flat_1_87 = vswr_bands({{below, 1.87}});

constexpr auto r1_vswr = vswr_bands({{below, 1.87}, {26.5, 2.0}, {70, 2.4}});
constexpr auto r2_vswr = vswr_bands({{below, 1.5}});
constexpr auto r3_vswr = vswr_bands({{below, 1.5}, {3.6, 2.0}, {8, 1.8}, {18, 2.0}, {26.5, 2.5}, {40, 3.0}, {50, 3.5}});
constexpr auto r4_vswr = vswr_bands({{below, 1.5}, {3.6, 2.0}, {20, 2.2}, {27, 2.5}, {30, 3.0}});
constexpr auto r5_vswr = vswr_bands({{below, 2.0}, {7, 2.5}, {30, 3.0}});
constexpr auto r6_vswr = vswr_bands({{below, 2.0}, {7.5, 2.5}, {26.5, 3.0}});
constexpr auto r7_vswr = vswr_bands({{below, 1.5}, {3, 2.0}, {7, 2.5}, {13, 3.0}});
constexpr auto r8_vswr = vswr_bands({{below, 1.2}, {8, 1.5}, {16, 2.0}});
constexpr auto r9_vswr = vswr_bands({{below, 1.5}, {6, 2.0}});

constexpr MatchRule r1      {"0.15", "0.05", r1_vswr};    // Aravel-4 to -7, Belquin-2 and -3
constexpr MatchRule r1_flat {"0.15", "0.05", flat_1_87};  // Aravel-1 to -3, Belquin-1
constexpr MatchRule r2      {"0.15", "0.05", r2_vswr};    // Jovane (and Rusket, a family not listed)
constexpr MatchRule r3      {"0.2",  "0.1",  r3_vswr};    // Kelmar, Lorwen, Morvel, Pellin
constexpr MatchRule r4      {"0.15", "0.05", r4_vswr};    // Galder
constexpr MatchRule r5      {"0.15", "0.05", r5_vswr};    // Elvane, Hestra, Istrel
constexpr MatchRule r6      {"0.15", "0.05", r6_vswr};    // Corvex-3 to -5, Dalmor-3 to -5
constexpr MatchRule r6_flat {"0.15", "0.05", flat_1_87};  // Corvex-1 and -2, Dalmor-1 and -2
constexpr MatchRule r7      {"0.2",  "0.1",  r7_vswr};    // Quarro
constexpr MatchRule r8      {"0.2",  "0.1",  r8_vswr};    // Nalvor
constexpr MatchRule r9      {"0.2",  "0.1",  r9_vswr};    // Ostrel
// clang-format on

// Models in submenu order: name, upper frequency GHz, preamp kind, option-0
// caption, noise profile, match rule.

// clang-format off
constexpr AnalyzerModel aravel[] = {
    {"Aravel-1",  8,    Preamp::single,  "",                   n1,  r1_flat},
    {"Aravel-2",  13.6, Preamp::single,  "",                   n2,  r1_flat},
    {"Aravel-3",  26.5, Preamp::single,  "",                   n2,  r1_flat},
    {"Aravel-4",  43.5, Preamp::single,  "",                   n3,  r1},
    {"Aravel-5",  50,   Preamp::single,  "",                   n4,  r1},
    {"Aravel-6",  67,   Preamp::single,  "",                   n5,  r1},
    {"Aravel-7",  85,   Preamp::none,    "",                   n6,  r1},
};
constexpr AnalyzerModel dalmor[] = {
    {"Dalmor-1",  4,    Preamp::single,  "",                   n7,  r6_flat},
    {"Dalmor-2",  7.5,  Preamp::single,  "",                   n7,  r6_flat},
    {"Dalmor-3",  13.6, Preamp::single,  "",                   n8,  r6},
    {"Dalmor-4",  30,   Preamp::single,  "",                   n8,  r6},
    {"Dalmor-5",  44,   Preamp::single,  "",                   n9,  r6},
};
constexpr AnalyzerModel galder[] = {
    {"Galder-1",  4,    Preamp::single,  "",                   n10, r4},
    {"Galder-2",  7,    Preamp::single,  "",                   n10, r4},
    {"Galder-3",  13,   Preamp::options, "LNA-1 Preamp",       n11, r4},
    {"Galder-4",  30,   Preamp::options, "LNA-1 Preamp",       n11, r4},
    {"Galder-5",  40,   Preamp::options, "LNA-1 Preamp",       n12, r4},
};
constexpr AnalyzerModel belquin[] = {
    {"Belquin-1", 8,    Preamp::single,  "",                   n13, r1_flat},
    {"Belquin-2", 26.5, Preamp::single,  "",                   n13, r1},
    {"Belquin-3", 50,   Preamp::single,  "",                   n14, r1},
};
constexpr AnalyzerModel corvex[] = {
    {"Corvex-1",  4,    Preamp::single,  "",                   n15, r6_flat},
    {"Corvex-2",  7.5,  Preamp::single,  "",                   n15, r6_flat},
    {"Corvex-3",  13.6, Preamp::single,  "",                   n16, r6},
    {"Corvex-4",  30,   Preamp::single,  "",                   n17, r6},
    {"Corvex-5",  44,   Preamp::single,  "",                   n18, r6},
};
constexpr AnalyzerModel elvane[] = {
    {"Elvane-1",  3.6,  Preamp::single,  "",                   n19, r5},
    {"Elvane-2",  7,    Preamp::single,  "",                   n19, r5},
    {"Elvane-3",  13,   Preamp::options, "LNA-1 Preamp",       n20, r5},
    {"Elvane-4",  30,   Preamp::options, "LNA-1 Preamp",       n20, r5},
    {"Elvane-5",  40,   Preamp::options, "LNA-1 Preamp",       n21, r5},
};
constexpr AnalyzerModel hestra[] = {
    {"Hestra-1",  3.6,  Preamp::single,  "",                   n19, r5},
    {"Hestra-2",  7,    Preamp::single,  "",                   n19, r5},
    {"Hestra-3",  13,   Preamp::options, "LNA-1 Preamp",       n20, r5},
    {"Hestra-4",  30,   Preamp::options, "LNA-1 Preamp",       n20, r5},
    {"Hestra-5",  40,   Preamp::options, "LNA-1 Preamp",       n21, r5},
};
constexpr AnalyzerModel istrel[] = {
    {"Istrel-1",  7,    Preamp::single,  "",                   n19, r5},
    {"Istrel-2",  13,   Preamp::options, "LNA-1 Preamp",       n22, r5},
    {"Istrel-3",  30,   Preamp::options, "LNA-1 Preamp",       n22, r5},
    {"Istrel-4",  40,   Preamp::options, "LNA-1 Preamp",       n23, r5},
};
constexpr AnalyzerModel jovane[] = {
    {"Jovane-1",  3,    Preamp::single,  "",                   n24, r2},
};
constexpr AnalyzerModel kelmar[] = {
    {"Kelmar-1",  3.6,  Preamp::single,  "",                   n25, r3},
    {"Kelmar-2",  8,    Preamp::single,  "",                   n26, r3},
    {"Kelmar-3",  26.5, Preamp::options, "LNA-2/LNA-4 Preamp", n27, r3},
    {"Kelmar-4",  40,   Preamp::single,  "",                   n28, r3},
};
constexpr AnalyzerModel lorwen[] = {
    {"Lorwen-1",  3.6,  Preamp::single,  "",                   n25, r3},
    {"Lorwen-2",  8,    Preamp::single,  "",                   n29, r3},
    {"Lorwen-3",  26.5, Preamp::options, "LNA-2/LNA-4 Preamp", n30, r3},
    {"Lorwen-4",  43,   Preamp::single,  "",                   n31, r3},
    {"Lorwen-5",  46,   Preamp::single,  "",                   n31, r3},
    {"Lorwen-6",  50,   Preamp::single,  "",                   n32, r3},
    {"Lorwen-7",  67,   Preamp::none,    "",                   n33, r3},
};
constexpr AnalyzerModel morvel[] = {
    {"Morvel-1",  8,    Preamp::single,  "",                   n34, r3},
    {"Morvel-2",  13.6, Preamp::single,  "",                   n35, r3},
};
constexpr AnalyzerModel nalvor[] = {
    {"Nalvor-1",  3,    Preamp::single,  "",                   n36, r8},
    {"Nalvor-2",  6,    Preamp::single,  "",                   n37, r8},
    {"Nalvor-3",  20,   Preamp::single,  "",                   n38, r8},
};
constexpr AnalyzerModel ostrel[] = {
    {"Ostrel-1",  3,    Preamp::single,  "",                   n39, r9},
    {"Ostrel-2",  6,    Preamp::single,  "",                   n39, r9},
    {"Ostrel-3",  13.6, Preamp::single,  "",                   n40, r9},
};
constexpr AnalyzerModel pellin[] = {
    {"Pellin-1",  8,    Preamp::single,  "",                   n41, r3},
    {"Pellin-2",  26.5, Preamp::single,  "",                   n42, r3},
    {"Pellin-3",  26.5, Preamp::single,  "",                   n43, r3},
    {"Pellin-4",  50,   Preamp::single,  "",                   n44, r3},
    {"Pellin-5",  50,   Preamp::single,  "",                   n45, r3},
};
constexpr AnalyzerModel quarro[] = {
    {"Quarro-1",  3,    Preamp::single,  "",                   n46, r7},
    {"Quarro-2",  7,    Preamp::single,  "",                   n47, r7},
    {"Quarro-3",  13.6, Preamp::single,  "",                   n48, r7},
    {"Quarro-4",  30,   Preamp::single,  "",                   n49, r7},
    {"Quarro-5",  40,   Preamp::single,  "",                   n50, r7},
};
// clang-format on

constexpr AnalyzerFamily families[] = {
    {"Aravel", aravel}, {"Dalmor", dalmor}, {"Galder", galder}, {"Belquin", belquin},
    {"Corvex", corvex}, {"Elvane", elvane}, {"Hestra", hestra}, {"Istrel", istrel},
    {"Jovane", jovane}, {"Kelmar", kelmar}, {"Lorwen", lorwen}, {"Morvel", morvel},
    {"Nalvor", nalvor}, {"Ostrel", ostrel}, {"Pellin", pellin}, {"Quarro", quarro},
};

}  // namespace analyzer_rows

}  // namespace orlavex::catalogue
