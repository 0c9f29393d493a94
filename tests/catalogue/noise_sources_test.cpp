#include "catalogue/catalogue.h"
#include "catalogue/noise_source_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orlavex::catalogue {
namespace {

double just_below(double edge) {
    return std::nextafter(edge, -HUGE_VAL);
}

TEST(NoiseSourceMakers, CaptionsAndModelsInMenuOrder) {
    struct Expected {
        std::string_view caption;
        std::vector<std::string_view> models;
    };
    const Expected expected[] = {
        {"Mercury (Micronetics)",
         {"NS346A", "NS346AK", "NS346B", "NS346C", "NS346D", "NS346E", "NS346Ka"}},
        {"NoiseCom",
         {"NC346A", "NC346B", "NC346B (Type N)", "NC346C", "NC346D", "NC346D (Type N)", "NC346E",
          "NC346Ka", "NC346V"}},
        {"Quinstar", {"WR-15", "WR-15 (amp)", "WR-12", "WR-12 (amp)", "WR-10", "WR-10 (amp)"}},
    };
    const auto makers = noise_source_makers();
    ASSERT_EQ(makers.size(), std::size(expected));
    for (std::size_t i = 0; i < makers.size(); ++i) {
        EXPECT_EQ(makers[i].caption, expected[i].caption);
        ASSERT_EQ(makers[i].models.size(), expected[i].models.size()) << expected[i].caption;
        for (std::size_t k = 0; k < makers[i].models.size(); ++k) {
            EXPECT_EQ(model_name(makers[i].models[k]), expected[i].models[k]);
        }
    }
}

TEST(FindNoiseSource, FindsTheMenuEntryByItsExactName) {
    EXPECT_EQ(find_noise_source("NS346A"), &noise_source_makers()[0].models[0]);
    EXPECT_EQ(find_noise_source("NC346D (Type N)"), &noise_source_makers()[1].models[5]);
    EXPECT_EQ(find_noise_source("WR-10 (amp)"), &noise_source_makers()[2].models[5]);
}

TEST(FindNoiseSource, UserAndUnknownNamesFindNothing) {
    EXPECT_EQ(find_noise_source("User"), nullptr);
    EXPECT_EQ(find_noise_source(""), nullptr);
    EXPECT_EQ(find_noise_source("ns346a"), nullptr);
    EXPECT_EQ(find_noise_source("NS346KA"), nullptr);
    EXPECT_EQ(find_noise_source("NC346B(Type N)"), nullptr);
    EXPECT_EQ(find_noise_source("NC346B (type N)"), nullptr);
    EXPECT_EQ(find_noise_source("WR-12 "), nullptr);
    EXPECT_EQ(find_noise_source("Mercury (Micronetics)"), nullptr);
}

// Frequencies at which the match tables tell each other apart.
constexpr std::array<double, 5> probe_ghz = {1, 10, 20, 30, 50};

struct ExpectedSource {
    std::string_view name;
    double upper_ghz;
    double enr_db;
    std::array<double, 5> vswr;  // at probe_ghz
    double lower_ghz = 0;        // of a waveguide band; 0 for coaxial sources
};

// clang-format off
constexpr ExpectedSource expected_sources[] = {
    {"NS346A",          18,   6,    {1.15, 1.25, 1.25, 1.25, 1.25}},
    {"NS346AK",         26.5, 6.5,  {1.15, 1.25, 1.3,  1.3,  1.3}},
    {"NS346B",          18,   15,   {1.15, 1.25, 1.25, 1.25, 1.25}},
    {"NS346C",          26.5, 15,   {1.15, 1.25, 1.5,  1.5,  1.5}},
    {"NS346D",          18,   22,   {1.5,  1.5,  1.5,  1.5,  1.5}},
    {"NS346E",          26.5, 22,   {1.5,  1.5,  1.5,  1.5,  1.5}},
    {"NS346Ka",         40,   13.5, {1.25, 1.3,  1.4,  1.5,  1.5}},
    {"NC346A",          18,   6,    {1.15, 1.25, 1.25, 1.25, 1.25}},
    {"NC346B",          18,   15,   {1.15, 1.25, 1.25, 1.25, 1.25}},
    {"NC346B (Type N)", 18,   15,   {1.15, 1.35, 1.35, 1.35, 1.35}},
    {"NC346C",          26.5, 15,   {1.15, 1.25, 1.35, 1.35, 1.35}},
    {"NC346D",          18,   22,   {1.5,  1.5,  1.5,  1.5,  1.5}},
    {"NC346D (Type N)", 18,   22,   {1.5,  1.75, 1.75, 1.75, 1.75}},
    {"NC346E",          26.5, 22,   {1.5,  1.5,  1.5,  1.5,  1.5}},
    {"NC346Ka",         40,   13.5, {1.25, 1.3,  1.4,  1.5,  1.5}},
    {"NC346V",          60,   14,   {1.5,  1.5,  1.75, 2,    2.5}},
    {"WR-15",           75,   15,   {2,    2,    2,    2,    2}, 50},
    {"WR-15 (amp)",     75,   25,   {2,    2,    2,    2,    2}, 50},
    {"WR-12",           90,   15,   {2,    2,    2,    2,    2}, 60},
    {"WR-12 (amp)",     90,   25,   {2,    2,    2,    2,    2}, 60},
    {"WR-10",           110,  12,   {2.5,  2.5,  2.5,  2.5,  2.5}, 75},
    {"WR-10 (amp)",     110,  25,   {2.5,  2.5,  2.5,  2.5,  2.5}, 75},
};
// clang-format on

TEST(NoiseSources, EachModelHasItsLimitEnrAndMatch) {
    std::size_t catalogue_size = 0;
    for (const NoiseSourceMaker& maker : noise_source_makers())
        catalogue_size += maker.models.size();
    EXPECT_EQ(catalogue_size, std::size(expected_sources));

    for (const ExpectedSource& expected : expected_sources) {
        SCOPED_TRACE(std::string(expected.name));
        const NoiseSourceModel* source = find_noise_source(expected.name);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(upper_frequency(*source), expected.upper_ghz);
        EXPECT_EQ(lower_frequency(*source), expected.lower_ghz);
        EXPECT_EQ(nominal_enr(*source), expected.enr_db);
        for (std::size_t i = 0; i < probe_ghz.size(); ++i) {
            EXPECT_EQ(output_vswr(*source, probe_ghz[i]), expected.vswr[i])
                << "at " << probe_ghz[i] << " GHz";
        }
    }
}

// Every edge of every banded match, approached from below and hit exactly.
TEST(NoiseSources, MatchEdgesFromBothSides) {
    struct Edge {
        std::string_view model;
        double edge_ghz;
        double below;
        double at;
    };
    // clang-format off
    constexpr Edge edges[] = {
        {"NS346A",          5,    1.15, 1.25},
        {"NS346AK",         5,    1.15, 1.25}, {"NS346AK", 18,   1.25, 1.3},
        {"NS346B",          5,    1.15, 1.25},
        {"NS346C",          5,    1.15, 1.25}, {"NS346C",  18,   1.25, 1.5},
        {"NS346Ka",         5,    1.25, 1.3},  {"NS346Ka", 18,   1.3,  1.4}, {"NS346Ka", 26.5, 1.4, 1.5},
        {"NC346A",          5,    1.15, 1.25},
        {"NC346B",          5,    1.15, 1.25},
        {"NC346B (Type N)", 5,    1.15, 1.35},
        {"NC346C",          5,    1.15, 1.25}, {"NC346C",  18,   1.25, 1.35},
        {"NC346D (Type N)", 5,    1.5,  1.75},
        {"NC346Ka",         5,    1.25, 1.3},  {"NC346Ka", 18,   1.3,  1.4}, {"NC346Ka", 26.5, 1.4, 1.5},
        {"NC346V",          18,   1.5,  1.75}, {"NC346V",  26.5, 1.75, 2},   {"NC346V",  40,   2,   2.5},
    };
    // clang-format on
    for (const Edge& e : edges) {
        SCOPED_TRACE(std::string(e.model) + " at " + std::to_string(e.edge_ghz));
        const NoiseSourceModel* source = find_noise_source(e.model);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(output_vswr(*source, just_below(e.edge_ghz)), e.below);
        EXPECT_EQ(output_vswr(*source, e.edge_ghz), e.at);
    }
}

TEST(NoiseSources, ListedEdgeCases) {
    EXPECT_EQ(output_vswr(*find_noise_source("NC346A"), 5), 1.25);
    EXPECT_EQ(output_vswr(*find_noise_source("NC346A"), 4.999), 1.15);
    EXPECT_EQ(output_vswr(*find_noise_source("NC346V"), 40), 2.5);
    EXPECT_EQ(output_vswr(*find_noise_source("NC346V"), 39.99), 2);
    EXPECT_EQ(output_vswr(*find_noise_source("NC346V"), 17.99), 1.5);
    EXPECT_EQ(output_vswr(*find_noise_source("NS346Ka"), 26.5), 1.5);
    EXPECT_EQ(output_vswr(*find_noise_source("NC346C"), 18), 1.35);
    EXPECT_EQ(output_vswr(*find_noise_source("NS346C"), 18), 1.5);

    const NoiseSourceModel& wr12_amp = *find_noise_source("WR-12 (amp)");
    EXPECT_EQ(nominal_enr(wr12_amp), 25);
    EXPECT_EQ(output_vswr(wr12_amp, 60), 2);
    EXPECT_EQ(upper_frequency(wr12_amp), 90);
}

TEST(NoiseSources, OutOfRangeFrequenciesUseTheEndBands) {
    const NoiseSourceModel& nc346v = *find_noise_source("NC346V");
    EXPECT_EQ(output_vswr(nc346v, 0), 1.5);
    EXPECT_EQ(output_vswr(nc346v, -2), 1.5);
    EXPECT_EQ(output_vswr(nc346v, std::nan("")), 1.5);
    EXPECT_EQ(output_vswr(nc346v, 60), 2.5);
    EXPECT_EQ(output_vswr(nc346v, 500), 2.5);
}

}  // namespace
}  // namespace orlavex::catalogue
