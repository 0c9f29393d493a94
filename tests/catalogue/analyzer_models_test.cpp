#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace orlavex::catalogue {
namespace {

// Guaranteed noise at one frequency for each preamp setting: "Int PA" off,
// on with option 0 checked, on with option 1 checked. Models with one
// preamp give the same value for both options; models without a preamp
// give one value throughout.
struct NoiseAt {
    double f_ghz;
    int off;
    int on_option0;
    int on_option1;
};

struct ExpectedModel {
    std::string_view name;
    double upper_ghz;
    Preamp preamp;
    std::string_view option0_caption;
    NoiseAt low;
    NoiseAt high;  // at the upper frequency, unless noted
};

constexpr Preamp single = Preamp::single;
constexpr Preamp none = Preamp::none;
constexpr Preamp options = Preamp::options;
constexpr std::string_view lna1 = "LNA-1 Preamp";
constexpr std::string_view lna24 = "LNA-2/LNA-4 Preamp";

// clang-format off
constexpr ExpectedModel expected_models[] = {
    {"Aravel-1",  8,    single,  "",    {0.1,  -150, -163, -163}, {8,    -152, -166, -166}},
    {"Aravel-2",  13.6, single,  "",    {0.1,  -149, -163, -163}, {13.6, -149, -162, -162}},
    {"Aravel-3",  26.5, single,  "",    {0.1,  -149, -163, -163}, {26.5, -143, -157, -157}},
    {"Aravel-4",  43.5, single,  "",    {2.5,  -149, -165, -165}, {43.5, -138, -157, -157}},
    {"Aravel-5",  50,   single,  "",    {2.5,  -151, -165, -165}, {50,   -132, -153, -153}},
    {"Aravel-6",  67,   single,  "",    {2.5,  -151, -165, -165}, {67,   -122, -142, -142}},
    {"Aravel-7",  85,   none,    "",    {2.5,  -151, -151, -151}, {85,   -120, -120, -120}},
    {"Dalmor-1",  4,    single,  "",    {2.5,  -151, -164, -164}, {4,    -150, -164, -164}},
    {"Dalmor-2",  7.5,  single,  "",    {2.5,  -151, -164, -164}, {7.5,  -149, -164, -164}},
    {"Dalmor-3",  13.6, single,  "",    {2.5,  -149, -164, -164}, {13.6, -148, -160, -160}},
    {"Dalmor-4",  30,   single,  "",    {2.5,  -149, -164, -164}, {30,   -144, -155, -155}},
    {"Dalmor-5",  44,   single,  "",    {4,    -147, -161, -161}, {44,   -136, -149, -149}},
    {"Galder-1",  4,    single,  "",    {2.5,  -151, -163, -163}, {4,    -149, -163, -163}},
    {"Galder-2",  7,    single,  "",    {2.5,  -151, -163, -163}, {7,    -148, -163, -163}},
    {"Galder-3",  13,   options, lna1,  {2.5,  -149, -162, -162}, {13,   -147, -147, -164}},
    {"Galder-4",  30,   options, lna1,  {2.5,  -149, -162, -162}, {30,   -142, -142, -159}},
    {"Galder-5",  40,   options, lna1,  {2.5,  -149, -163, -162}, {40,   -136, -136, -154}},
    {"Belquin-1", 8,    single,  "",    {2.5,  -150, -165, -165}, {8,    -150, -162, -162}},
    {"Belquin-2", 26.5, single,  "",    {2.5,  -150, -165, -165}, {26.5, -140, -156, -156}},
    {"Belquin-3", 50,   single,  "",    {5,    -150, -160, -160}, {50,   -129, -146, -146}},
    {"Corvex-1",  4,    single,  "",    {2.5,  -148, -162, -162}, {4,    -148, -161, -161}},
    {"Corvex-2",  7.5,  single,  "",    {2.5,  -148, -162, -162}, {7.5,  -148, -161, -161}},
    {"Corvex-3",  13.6, single,  "",    {2.5,  -148, -162, -162}, {13.6, -145, -161, -161}},
    {"Corvex-4",  30,   single,  "",    {2.5,  -149, -162, -162}, {30,   -143, -155, -155}},
    {"Corvex-5",  44,   single,  "",    {2.5,  -149, -164, -164}, {44,   -136, -149, -149}},
    {"Elvane-1",  3.6,  single,  "",    {2.5,  -150, -160, -160}, {3.6,  -148, -158, -158}},
    {"Elvane-2",  7,    single,  "",    {2.5,  -150, -160, -160}, {7,    -146, -156, -156}},
    {"Elvane-3",  13,   options, lna1,  {2.5,  -149, -159, -157}, {13,   -148, -148, -164}},
    {"Elvane-4",  30,   options, lna1,  {2.5,  -149, -159, -157}, {30,   -144, -144, -159}},
    {"Elvane-5",  40,   options, lna1,  {0.5,  -151, -161, -160}, {40,   -136, -136, -154}},
    {"Hestra-1",  3.6,  single,  "",    {2.5,  -150, -160, -160}, {3.6,  -148, -158, -158}},
    {"Hestra-2",  7,    single,  "",    {2.5,  -150, -160, -160}, {7,    -146, -156, -156}},
    {"Hestra-3",  13,   options, lna1,  {2.5,  -149, -159, -157}, {13,   -148, -148, -164}},
    {"Hestra-4",  30,   options, lna1,  {0.5,  -151, -162, -160}, {30,   -144, -144, -159}},
    {"Hestra-5",  40,   options, lna1,  {2.5,  -149, -159, -157}, {40,   -136, -136, -154}},
    {"Istrel-1",  7,    single,  "",    {2.5,  -150, -160, -160}, {7,    -146, -156, -156}},
    {"Istrel-2",  13,   options, lna1,  {2.5,  -149, -159, -157}, {13,   -147, -147, -164}},
    {"Istrel-3",  30,   options, lna1,  {0.5,  -151, -160, -160}, {30,   -142, -142, -159}},
    {"Istrel-4",  40,   options, lna1,  {20,   -143, -143, -159}, {40,   -136, -136, -153}},
    {"Jovane-1",  3,    single,  "",    {1,    -149, -163, -163}, {3,    -148, -162, -162}},
    {"Kelmar-1",  3.6,  single,  "",    {2.5,  -153, -160, -160}, {3.6,  -152, -160, -160}},
    {"Kelmar-2",  8,    single,  "",    {2.5,  -153, -160, -160}, {8,    -149, -157, -157}},
    {"Kelmar-3",  26.5, options, lna24, {2.5,  -150, -160, -161}, {26.5, -143, -150, -162}},
    {"Kelmar-4",  40,   single,  "",    {2.5,  -150, -161, -161}, {40,   -135, -158, -158}},
    {"Lorwen-1",  3.6,  single,  "",    {2.5,  -153, -160, -160}, {3.6,  -152, -160, -160}},
    {"Lorwen-2",  8,    single,  "",    {2.5,  -153, -160, -160}, {8,    -150, -157, -157}},
    {"Lorwen-3",  26.5, options, lna24, {2.5,  -150, -160, -163}, {26.5, -145, -150, -163}},
    {"Lorwen-4",  43,   single,  "",    {2.5,  -150, -165, -165}, {43,   -133, -152, -152}},
    {"Lorwen-5",  46,   single,  "",    {30,   -138, -163, -163}, {46,   -133, -152, -152}},
    {"Lorwen-6",  50,   single,  "",    {32.5, -133, -163, -163}, {50,   -128, -152, -152}},
    {"Lorwen-7",  67,   none,    "",    {2.5,  -144, -144, -144}, {67,   -120, -120, -120}},
    {"Morvel-1",  8,    single,  "",    {2.5,  -151, -160, -160}, {8,    -149, -157, -157}},
    {"Morvel-2",  13.6, single,  "",    {2.5,  -150, -160, -160}, {13.6, -149, -149, -149}},
    {"Nalvor-1",  3,    single,  "",    {0.01, -130, -145, -145}, {3,    -140, -152, -152}},
    {"Nalvor-2",  6,    single,  "",    {4,    -136, -146, -146}, {6,    -130, -140, -140}},
    {"Nalvor-3",  20,   single,  "",    {4,    -136, -149, -149}, {20,   -123, -123, -123}},
    {"Ostrel-1",  3,    single,  "",    {0.02, -130, -150, -150}, {3,    -140, -156, -156}},
    {"Ostrel-2",  6,    single,  "",    {0.005,-110, -125, -125}, {6,    -140, -156, -156}},
    {"Ostrel-3",  13.6, single,  "",    {2.5,  -125, -140, -140}, {13.6, -120, -120, -120}},
    {"Pellin-1",  8,    single,  "",    {2.5,  -152, -160, -160}, {8,    -150, -157, -157}},
    {"Pellin-2",  26.5, single,  "",    {2.5,  -148, -160, -160}, {26.5, -145, -150, -150}},
    {"Pellin-3",  26.5, single,  "",    {10,   -149, -159, -159}, {26.5, -143, -150, -150}},
    {"Pellin-4",  50,   single,  "",    {0.03, -151, -160, -160}, {50,   -128, -128, -128}},
    {"Pellin-5",  50,   single,  "",    {42,   -128, -128, -128}, {50,   -125, -125, -125}},
    {"Quarro-1",  3,    single,  "",    {0.5,  -152, -162, -162}, {3,    -150, -160, -160}},
    {"Quarro-2",  7,    single,  "",    {0.5,  -150, -162, -162}, {7,    -148, -160, -160}},
    {"Quarro-3",  13.6, single,  "",    {2.5,  -145, -160, -160}, {13.6, -142, -142, -142}},
    {"Quarro-4",  30,   single,  "",    {20,   -130, -130, -130}, {30,   -125, -125, -125}},
    {"Quarro-5",  40,   single,  "",    {25,   -130, -130, -130}, {40,   -122, -122, -122}},
};
// clang-format on

void expect_noise(const AnalyzerModel& model, const NoiseAt& at) {
    SCOPED_TRACE(at.f_ghz);
    EXPECT_EQ(analyzer_noise(model, at.f_ghz, false, true), at.off);
    EXPECT_EQ(analyzer_noise(model, at.f_ghz, false, false), at.off);
    EXPECT_EQ(analyzer_noise(model, at.f_ghz, true, true), at.on_option0);
    EXPECT_EQ(analyzer_noise(model, at.f_ghz, true, false), at.on_option1);
}

TEST(AnalyzerModels, MenuOrderIsTheExpectedList) {
    std::vector<std::string_view> names;
    for (const AnalyzerFamily& family : analyzer_families()) {
        for (const AnalyzerModel& model : family.models)
            names.push_back(model_name(model));
    }
    ASSERT_EQ(names.size(), std::size(expected_models));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], expected_models[i].name);
}

TEST(AnalyzerModels, EachModelHasItsLimitPreampAndNoise) {
    for (const ExpectedModel& expected : expected_models) {
        SCOPED_TRACE(expected.name);
        const AnalyzerModel* model = find_analyzer(expected.name);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(upper_frequency(*model), expected.upper_ghz);
        EXPECT_EQ(preamp_kind(*model), expected.preamp);
        EXPECT_EQ(option0_caption(*model), expected.option0_caption);
        expect_noise(*model, expected.low);
        expect_noise(*model, expected.high);
    }
}

}  // namespace
}  // namespace orlavex::catalogue
