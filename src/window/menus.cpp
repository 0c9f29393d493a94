#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"
#include "catalogue/noise_source_table.h"
#include "window/handlers.h"

#include <array>

namespace orlavex {

using enum Ctl;

namespace {

// The item array of each analyzer family, in menu order.
constexpr std::array<Ctl, 16> family_items = {
    mnuAravel, mnuDalmor, mnuGalder, mnuBelquin, mnuCorvex, mnuElvane, mnuHestra, mnuIstrel,
    mnuJovane, mnuKelmar, mnuLorwen, mnuMorvel,  mnuNalvor, mnuOstrel, mnuPellin, mnuQuarro,
};

constexpr std::array<Ctl, 3> maker_items = {mnuNS_Mercury, mnuNS_Noisecom, mnuNS_Quinstar};

}  // namespace

void fill_SA_menus(Calculator& calc) {
    const auto families = catalogue::analyzer_families();
    for (std::size_t fam = 0; fam < families.size() && fam < family_items.size(); ++fam) {
        const auto models = families[fam].models;
        for (std::size_t i = 0; i < models.size(); ++i) {
            calc.form[item(family_items[fam], static_cast<int>(i))].text =
                std::string(catalogue::model_name(models[i]));
        }
    }
}

void fill_NS_menus(Calculator& calc) {
    const auto makers = catalogue::noise_source_makers();
    for (std::size_t m = 0; m < makers.size() && m < maker_items.size(); ++m) {
        const auto models = makers[m].models;
        for (std::size_t i = 0; i < models.size(); ++i) {
            calc.form[item(maker_items[m], static_cast<int>(i))].text =
                std::string(catalogue::model_name(models[i]));
        }
    }
}

}  // namespace orlavex
