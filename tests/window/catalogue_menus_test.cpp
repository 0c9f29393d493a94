#include "window/catalogue_menus.h"
#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"
#include "window/dispatch.h"
#include "window/handlers.h"

#include "../engine/started.h"

#include <gtest/gtest.h>

#include <string>

namespace orlavex {
namespace {

using enum Ctl;
using namespace test_support;

// Clicking item K of a family's or maker's menu selects model K of that
// family or maker in the catalogue, for every model of both catalogues.
template <class Group>
void expect_every_item_selects_its_model(std::span<const Group> groups, const auto& menus,
                                         Ctl selection_label) {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t k = 0; k < groups[g].models.size(); ++k) {
            const Ctl chosen = item(menus[g], static_cast<int>(k));
            const std::string model(catalogue::model_name(groups[g].models[k]));
            Calculator calc = started();
            ASSERT_TRUE(run_click_handler(calc, chosen)) << model;
            EXPECT_EQ(calc.form[selection_label].text, model);
            EXPECT_TRUE(calc.form[chosen].checked) << model;
        }
    }
}

TEST(CatalogueMenus, EveryAnalyzerItemSelectsItsModel) {
    expect_every_item_selects_its_model(catalogue::analyzer_families(), analyzer_family_menus,
                                        lblSAsel);
}

TEST(CatalogueMenus, EveryNoiseSourceItemSelectsItsModel) {
    expect_every_item_selects_its_model(catalogue::noise_source_makers(), noise_source_maker_menus,
                                        lblNSsel);
}

TEST(Bindings, AnIndexedArrayIsBoundOnceForAllItsItems) {
    for (Ctl first : {mnuRes, mnuWeb, mnuIntPA, mnuAravel, mnuNS_Noisecom}) {
        const Handler h = find_handler(first, Event::Click);
        ASSERT_NE(h, nullptr) << layout_row(first).name;
        for (int i = 1; i < item_count(first); ++i)
            EXPECT_EQ(find_handler(item(first, i), Event::Click), h) << layout_row(first).name;
    }
    EXPECT_EQ(find_handler(Ctl::none, Event::Click), nullptr);
}

}  // namespace
}  // namespace orlavex
