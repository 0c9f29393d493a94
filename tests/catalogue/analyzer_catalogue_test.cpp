#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace orlavex::catalogue {
namespace {

TEST(AnalyzerFamilies, NamesAndSizesInMenuOrder) {
    struct Expected {
        std::string_view name;
        std::size_t models;
    };
    constexpr Expected expected[] = {
        {"Aravel", 7}, {"Dalmor", 5}, {"Galder", 5}, {"Belquin", 3}, {"Corvex", 5}, {"Elvane", 5},
        {"Hestra", 5}, {"Istrel", 4}, {"Jovane", 1}, {"Kelmar", 4},  {"Lorwen", 7}, {"Morvel", 2},
        {"Nalvor", 3}, {"Ostrel", 3}, {"Pellin", 5}, {"Quarro", 5},
    };
    const auto families = analyzer_families();
    ASSERT_EQ(families.size(), std::size(expected));
    for (std::size_t i = 0; i < families.size(); ++i) {
        EXPECT_EQ(families[i].name, expected[i].name);
        EXPECT_EQ(families[i].models.size(), expected[i].models) << expected[i].name;
    }
}

TEST(AnalyzerFamilies, ItemKIsModelKPlusOneOfTheFamily) {
    std::size_t total = 0;
    for (const AnalyzerFamily& family : analyzer_families()) {
        for (std::size_t k = 0; k < family.models.size(); ++k) {
            const std::string expected = std::string(family.name) + "-" + std::to_string(k + 1);
            EXPECT_EQ(model_name(family.models[k]), expected);
        }
        total += family.models.size();
    }
    EXPECT_EQ(total, 69u);
}

TEST(FindAnalyzer, FindsTheMenuEntryByItsExactName) {
    const AnalyzerFamily& lorwen = analyzer_families()[10];
    EXPECT_EQ(find_analyzer("Lorwen-3"), &lorwen.models[2]);
    EXPECT_EQ(find_analyzer("Aravel-1"), &analyzer_families()[0].models[0]);
    EXPECT_EQ(find_analyzer("Quarro-5"), &analyzer_families()[15].models[4]);
}

TEST(FindAnalyzer, UserAndUnknownNamesFindNothing) {
    EXPECT_EQ(find_analyzer("User"), nullptr);
    EXPECT_EQ(find_analyzer(""), nullptr);
    EXPECT_EQ(find_analyzer("Aravel-8"), nullptr);
    EXPECT_EQ(find_analyzer("Aravel"), nullptr);
    EXPECT_EQ(find_analyzer("aravel-1"), nullptr);
    EXPECT_EQ(find_analyzer("ARAVEL-1"), nullptr);
    EXPECT_EQ(find_analyzer(" Aravel-1"), nullptr);
    EXPECT_EQ(find_analyzer("Aravel-1 "), nullptr);
}

// The number of noise values written per band must fit the preamp kind,
// and a preamp never raises the guaranteed noise level.
TEST(NoiseProfiles, EveryBandFitsItsModelsPreampKind) {
    for (const AnalyzerFamily& family : analyzer_families()) {
        for (const AnalyzerModel& model : family.models) {
            for (std::size_t band = 0; band < model.noise.values.size(); ++band) {
                const NoiseLevels& n = model.noise.values[band];
                SCOPED_TRACE(std::string(model.name) + " band " + std::to_string(band + 1));
                EXPECT_GE(n.without_preamp, -170);
                EXPECT_LE(n.without_preamp, -100);
                switch (model.preamp) {
                    case Preamp::none:
                        EXPECT_EQ(n.with_preamp, 0);
                        EXPECT_EQ(n.with_option1, 0);
                        break;
                    case Preamp::single:
                        EXPECT_GE(n.with_preamp, -170);
                        EXPECT_LE(n.with_preamp, n.without_preamp);
                        EXPECT_EQ(n.with_option1, 0);
                        break;
                    case Preamp::options:
                        EXPECT_GE(n.with_preamp, -170);
                        EXPECT_LE(n.with_preamp, n.without_preamp);
                        EXPECT_GE(n.with_option1, -170);
                        EXPECT_LE(n.with_option1, n.without_preamp);
                        break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace orlavex::catalogue
