#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <string_view>

namespace orlavex::catalogue {
namespace {

double just_below(double edge) {
    return std::nextafter(edge, -HUGE_VAL);
}

// Frequencies at which the nine rules tell each other apart.
constexpr std::array<double, 9> probe_ghz = {0.5, 5, 7.2, 10, 17, 28, 45, 55, 75};

struct ExpectedRule {
    std::string_view gain_text;
    std::string_view nf_text;
    std::array<double, 9> vswr;  // at probe_ghz
};

// clang-format off
constexpr ExpectedRule r1{"0.15", "0.05", {1.87, 1.87, 1.87, 1.87, 1.87, 2.0, 2.0, 2.0, 2.4}};
constexpr ExpectedRule r2{"0.15", "0.05", {1.5,  1.5,  1.5,  1.5,  1.5,  1.5, 1.5, 1.5, 1.5}};
constexpr ExpectedRule r3{"0.2",  "0.1",  {1.5,  2.0,  2.0,  1.8,  1.8,  2.5, 3.0, 3.5, 3.5}};
constexpr ExpectedRule r4{"0.15", "0.05", {1.5,  2.0,  2.0,  2.0,  2.0,  2.5, 3.0, 3.0, 3.0}};
constexpr ExpectedRule r5{"0.15", "0.05", {2.0,  2.0,  2.5,  2.5,  2.5,  2.5, 3.0, 3.0, 3.0}};
constexpr ExpectedRule r6{"0.15", "0.05", {2.0,  2.0,  2.0,  2.5,  2.5,  3.0, 3.0, 3.0, 3.0}};
constexpr ExpectedRule r7{"0.2",  "0.1",  {1.5,  2.0,  2.5,  2.5,  3.0,  3.0, 3.0, 3.0, 3.0}};
constexpr ExpectedRule r8{"0.2",  "0.1",  {1.2,  1.2,  1.2,  1.5,  2.0,  2.0, 2.0, 2.0, 2.0}};
constexpr ExpectedRule r9{"0.2",  "0.1",  {1.5,  1.5,  2.0,  2.0,  2.0,  2.0, 2.0, 2.0, 2.0}};
// clang-format on

const ExpectedRule* rule_of_family(std::string_view family) {
    struct Entry {
        std::string_view family;
        const ExpectedRule* rule;
    };
    static constexpr Entry table[] = {
        {"Aravel", &r1}, {"Dalmor", &r6}, {"Galder", &r4}, {"Belquin", &r1},
        {"Corvex", &r6}, {"Elvane", &r5}, {"Hestra", &r5}, {"Istrel", &r5},
        {"Jovane", &r2}, {"Kelmar", &r3}, {"Lorwen", &r3}, {"Morvel", &r3},
        {"Nalvor", &r8}, {"Ostrel", &r9}, {"Pellin", &r3}, {"Quarro", &r7},
    };
    for (const Entry& e : table) {
        if (e.family == family) return e.rule;
    }
    return nullptr;
}

// Models whose rule gives 1.87 at every frequency.
const std::set<std::string_view> flat_1_87 = {"Aravel-1", "Aravel-2", "Aravel-3", "Belquin-1",
                                              "Corvex-1", "Corvex-2", "Dalmor-1", "Dalmor-2"};

TEST(MatchRules, EveryModelFollowsItsFamilysRule) {
    for (const AnalyzerFamily& family : analyzer_families()) {
        const ExpectedRule* rule = rule_of_family(family.name);
        ASSERT_NE(rule, nullptr) << family.name;
        for (const AnalyzerModel& model : family.models) {
            const std::string_view name = model_name(model);
            SCOPED_TRACE(std::string(name));
            EXPECT_EQ(gain_uncertainty_text(model), rule->gain_text);
            EXPECT_EQ(nf_uncertainty_text(model), rule->nf_text);
            const bool flat = flat_1_87.contains(name);
            for (std::size_t i = 0; i < probe_ghz.size(); ++i) {
                EXPECT_EQ(analyzer_input_vswr(model, probe_ghz[i]), flat ? 1.87 : rule->vswr[i])
                    << "at " << probe_ghz[i] << " GHz";
            }
        }
    }
}

TEST(MatchRules, FlatModelsHold187DownToZeroAndFarAboveTheirLimit) {
    for (std::string_view name : flat_1_87) {
        const AnalyzerModel* model = find_analyzer(name);
        ASSERT_NE(model, nullptr) << name;
        for (double f : {0.0, 26.5, 70.0, 500.0})
            EXPECT_EQ(analyzer_input_vswr(*model, f), 1.87);
    }
}

// Every edge of every banded rule, approached from below and hit exactly.
TEST(MatchRules, EdgesFromBothSides) {
    struct Edge {
        std::string_view model;
        double edge_ghz;
        double below;
        double at;
    };
    // clang-format off
    constexpr Edge edges[] = {
        {"Aravel-4",  26.5, 1.87, 2.0}, {"Aravel-4",  70,  2.0, 2.4},
        {"Belquin-3", 26.5, 1.87, 2.0},
        {"Kelmar-1",  3.6,  1.5,  2.0}, {"Kelmar-1",  8,   2.0, 1.8}, {"Kelmar-1", 18, 1.8, 2.0},
        {"Kelmar-1",  26.5, 2.0,  2.5}, {"Kelmar-1",  40,  2.5, 3.0}, {"Kelmar-1", 50, 3.0, 3.5},
        {"Galder-1",  3.6,  1.5,  2.0}, {"Galder-1",  20,  2.0, 2.2}, {"Galder-1", 27, 2.2, 2.5},
        {"Galder-1",  30,   2.5,  3.0},
        {"Elvane-1",  7,    2.0,  2.5}, {"Elvane-1",  30,  2.5, 3.0},
        {"Corvex-3",  7.5,  2.0,  2.5}, {"Corvex-3",  26.5, 2.5, 3.0},
        {"Dalmor-3",  7.5,  2.0,  2.5}, {"Dalmor-3",  26.5, 2.5, 3.0},
        {"Quarro-1",  3,    1.5,  2.0}, {"Quarro-1",  7,   2.0, 2.5}, {"Quarro-1", 13, 2.5, 3.0},
        {"Nalvor-1",  8,    1.2,  1.5}, {"Nalvor-1",  16,  1.5, 2.0},
        {"Ostrel-1",  6,    1.5,  2.0},
    };
    // clang-format on
    for (const Edge& e : edges) {
        SCOPED_TRACE(std::string(e.model) + " at " + std::to_string(e.edge_ghz));
        const AnalyzerModel* model = find_analyzer(e.model);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(analyzer_input_vswr(*model, just_below(e.edge_ghz)), e.below);
        EXPECT_EQ(analyzer_input_vswr(*model, e.edge_ghz), e.at);
    }
}

TEST(MatchRules, UpperLimitOfCorvex5AndDalmor5IsInTheLastBand) {
    EXPECT_EQ(analyzer_input_vswr(*find_analyzer("Corvex-5"), 44), 3.0);
    EXPECT_EQ(analyzer_input_vswr(*find_analyzer("Dalmor-5"), 44), 3.0);
}

TEST(MatchRules, ZeroAndNanFrequencyUseTheFirstBand) {
    const AnalyzerModel& kelmar = *find_analyzer("Kelmar-4");
    EXPECT_EQ(analyzer_input_vswr(kelmar, 0), 1.5);
    EXPECT_EQ(analyzer_input_vswr(kelmar, -1), 1.5);
    EXPECT_EQ(analyzer_input_vswr(kelmar, std::nan("")), 1.5);
}

}  // namespace
}  // namespace orlavex::catalogue
