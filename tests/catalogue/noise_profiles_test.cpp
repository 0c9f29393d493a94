#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace orlavex::catalogue {
namespace {

double just_below(double edge) {
    return std::nextafter(edge, -HUGE_VAL);
}

// One band as it reads: its lower edge and the noise with "Int PA" off, on
// with option 0, on with option 1.
struct Band {
    double from_ghz;
    int off;
    int on_option0;
    int on_option1;
};

const AnalyzerModel& model(std::string_view name) {
    const AnalyzerModel* found = find_analyzer(name);
    if (found == nullptr) throw std::invalid_argument(std::string(name));
    return *found;
}

void expect_band(const AnalyzerModel& m, double f, const Band& band) {
    SCOPED_TRACE("at " + std::to_string(f) + " GHz");
    EXPECT_EQ(analyzer_noise(m, f, false, true), band.off);
    EXPECT_EQ(analyzer_noise(m, f, false, false), band.off);
    EXPECT_EQ(analyzer_noise(m, f, true, true), band.on_option0);
    EXPECT_EQ(analyzer_noise(m, f, true, false), band.on_option1);
}

// Walks a whole profile: band 1 at zero, then each edge from just below
// (previous band) and exactly on it (the band that starts there), and the
// last band far above the model's limit.
void expect_profile(std::string_view name, std::span<const Band> bands) {
    SCOPED_TRACE(std::string(name));
    const AnalyzerModel& m = model(name);
    expect_band(m, 0.0, bands.front());
    for (std::size_t i = 1; i < bands.size(); ++i) {
        expect_band(m, just_below(bands[i].from_ghz), bands[i - 1]);
        expect_band(m, bands[i].from_ghz, bands[i]);
    }
    expect_band(m, 1000.0, bands.back());
}

TEST(NoiseProfiles, N1) {
    constexpr Band n1[] = {
        {0, -150, -154, -154},
        {0.05, -150, -163, -163},
        {0.15, -150, -166, -166},
        {1, -152, -166, -166},
    };
    expect_profile("Aravel-1", n1);
}

TEST(NoiseProfiles, N5) {
    constexpr Band n5[] = {
        {0, -149, -165, -165},  {1, -151, -165, -165},    {3, -151, -162, -162},
        {8, -146, -161, -161},  {13.6, -144, -161, -161}, {18, -141, -161, -161},
        {23, -137, -160, -160}, {26.5, -137, -161, -161}, {30, -135, -159, -159},
        {34, -131, -159, -159}, {35, -131, -150, -150},   {43.5, -127, -150, -150},
        {47, -124, -146, -146}, {49, -122, -146, -146},   {50, -128, -153, -153},
        {51, -131, -154, -154}, {52, -131, -152, -152},   {54, -131, -148, -148},
        {55, -127, -148, -148}, {62, -122, -142, -142},
    };
    expect_profile("Aravel-6", n5);
}

TEST(NoiseProfiles, N11) {
    constexpr Band n11[] = {
        {0, -140, -145, -145}, {0.001, -151, -160, -160}, {0.02, -151, -162, -162},
        {1, -149, -162, -162}, {3, -146, -162, -162},     {6, -144, -162, -162},
        {7, -147, -147, -164}, {15, -142, -142, -159},
    };
    expect_profile("Galder-3", n11);
    expect_profile("Galder-4", n11);
}

TEST(NoiseProfiles, N20) {
    constexpr Band n20[] = {
        {0, -151, -155, -155},   {0.02, -151, -162, -160}, {1, -149, -159, -157},
        {3.6, -146, -156, -153}, {6, -144, -154, -150},    {7.4, -148, -148, -164},
        {15, -144, -144, -159},
    };
    for (const char* name : {"Elvane-3", "Elvane-4", "Hestra-3", "Hestra-4"}) {
        expect_profile(name, n20);
    }
}

TEST(NoiseProfiles, N33WithoutPreamp) {
    constexpr Band n33[] = {
        {0, -153, -153, -153},    {0.02, -148, -148, -148}, {2, -144, -144, -144},
        {13, -142, -142, -142},   {18, -140, -140, -140},   {22, -138, -138, -138},
        {26.5, -136, -136, -136}, {40, -132, -132, -132},   {46, -128, -128, -128},
        {51, -130, -130, -130},   {57, -126, -126, -126},   {65, -120, -120, -120},
    };
    expect_profile("Lorwen-7", n33);
}

TEST(NoiseProfiles, N6WithoutPreamp) {
    constexpr Band n6[] = {
        {0, -145, -145, -145},    {1, -151, -151, -151},  {8, -146, -146, -146},
        {13.6, -144, -144, -144}, {18, -141, -141, -141}, {23, -137, -137, -137},
        {30, -135, -135, -135},   {34, -129, -129, -129}, {44, -137, -137, -137},
        {58, -132, -132, -132},   {70, -127, -127, -127}, {75, -122, -122, -122},
        {80, -120, -120, -120},
    };
    expect_profile("Aravel-7", n6);
}

TEST(NoiseProfiles, N12) {
    constexpr Band n12[] = {
        {0, -145, -165, -160},  {0.02, -151, -165, -162}, {1, -149, -163, -162},
        {3, -146, -163, -162},  {6, -144, -163, -162},    {7, -145, -145, -164},
        {15, -142, -142, -159}, {34, -136, -136, -154},
    };
    expect_profile("Galder-5", n12);
}

TEST(NoiseProfiles, N27) {
    constexpr Band n27[] = {
        {0, -153, -162, -161},   {0.02, -152, -162, -163}, {2, -150, -160, -161},
        {3.6, -151, -162, -162}, {8, -149, -159, -162},    {13, -147, -157, -162},
        {18, -145, -154, -162},  {22, -143, -150, -162},
    };
    expect_profile("Kelmar-3", n27);
}

TEST(NoiseProfiles, N30) {
    constexpr Band n30[] = {
        {0, -153, -162, -163},   {0.02, -152, -162, -164}, {2, -150, -160, -163},
        {3.6, -152, -162, -165}, {8, -150, -159, -165},    {13, -148, -157, -165},
        {18, -148, -154, -165},  {20, -147, -154, -163},   {22, -145, -150, -163},
    };
    expect_profile("Lorwen-3", n30);
}

TEST(NoiseProfiles, EdgeBelongsToTheBandStartingThere) {
    const AnalyzerModel& aravel1 = model("Aravel-1");
    EXPECT_EQ(analyzer_noise(aravel1, 0.04, true, true), -154);
    EXPECT_EQ(analyzer_noise(aravel1, 0.05, true, true), -163);
}

TEST(NoiseProfiles, AboveTheUpperLimitTheLastBandApplies) {
    const AnalyzerModel& aravel1 = model("Aravel-1");
    EXPECT_EQ(upper_frequency(aravel1), 8);
    EXPECT_EQ(analyzer_noise(aravel1, 20, false, true), -152);
    EXPECT_EQ(analyzer_noise(aravel1, 20, true, true), -166);
}

TEST(NoiseProfiles, N20ToN23SwitchAt7Point4) {
    struct Switch {
        std::string_view model;
        Band before;  // from 6 GHz
        Band after;   // from 7.4 GHz
    };
    // clang-format off
    constexpr Switch switches[] = {
        {"Elvane-3", {6, -144, -154, -150}, {7.4, -148, -148, -164}},
        {"Elvane-5", {6, -144, -154, -150}, {7.4, -145, -145, -164}},
        {"Hestra-5", {6, -144, -154, -150}, {7.4, -145, -145, -164}},
        {"Istrel-2", {6, -144, -154, -150}, {7.4, -147, -147, -164}},
        {"Istrel-4", {6, -144, -154, -150}, {7.4, -144, -144, -164}},
    };
    // clang-format on
    for (const Switch& s : switches) {
        SCOPED_TRACE(std::string(s.model));
        const AnalyzerModel& m = model(s.model);
        expect_band(m, 7.39, s.before);
        expect_band(m, 7.4, s.after);
        expect_band(m, 7.5, s.after);
    }
}

TEST(NoiseProfiles, N11AndN12SwitchAt7) {
    expect_band(model("Galder-3"), 6.99, {6, -144, -162, -162});
    expect_band(model("Galder-3"), 7, {7, -147, -147, -164});
    expect_band(model("Galder-5"), 6.99, {6, -144, -163, -162});
    expect_band(model("Galder-5"), 7, {7, -145, -145, -164});
}

TEST(NoiseProfiles, N5IsNotMonotonic) {
    const AnalyzerModel& aravel6 = model("Aravel-6");
    EXPECT_EQ(analyzer_noise(aravel6, 23, true, true), -160);
    EXPECT_EQ(analyzer_noise(aravel6, 26.5, true, true), -161);
    EXPECT_EQ(analyzer_noise(aravel6, 49, false, true), -122);
    EXPECT_EQ(analyzer_noise(aravel6, 50, false, true), -128);
}

TEST(NoiseProfiles, OptionsModelWithPreampOffIgnoresTheOption) {
    const AnalyzerModel& lorwen3 = model("Lorwen-3");
    EXPECT_EQ(analyzer_noise(lorwen3, 10, false, true), -150);
    EXPECT_EQ(analyzer_noise(lorwen3, 10, false, false), -150);
    EXPECT_EQ(analyzer_noise(lorwen3, 10, true, true), -159);
    EXPECT_EQ(analyzer_noise(lorwen3, 10, true, false), -165);
}

TEST(NoiseProfiles, ModelsWithoutPreampIgnoreThePreampFlag) {
    for (const char* name : {"Aravel-7", "Lorwen-7"}) {
        const AnalyzerModel& m = model(name);
        EXPECT_EQ(preamp_kind(m), Preamp::none) << name;
        for (double f : {0.5, 20.0, 60.0}) {
            const double off = analyzer_noise(m, f, false, true);
            EXPECT_EQ(analyzer_noise(m, f, true, true), off) << name << " at " << f;
            EXPECT_EQ(analyzer_noise(m, f, true, false), off) << name << " at " << f;
        }
    }
    EXPECT_EQ(analyzer_noise(model("Aravel-7"), 50, true, true), -137);
    EXPECT_EQ(analyzer_noise(model("Lorwen-7"), 50, true, true), -128);
}

TEST(NoiseProfiles, NanFrequencyUsesTheFirstBand) {
    EXPECT_EQ(analyzer_noise(model("Aravel-1"), std::nan(""), true, true), -154);
    EXPECT_EQ(analyzer_noise(model("Aravel-7"), std::nan(""), false, true), -145);
}

}  // namespace
}  // namespace orlavex::catalogue
