#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"
#include "catalogue/noise_source_table.h"
#include "window/catalogue_menus.h"
#include "window/handlers.h"

namespace orlavex {

using enum Ctl;

void fill_SA_menus(Calculator& calc) {
    const auto families = catalogue::analyzer_families();
    for (std::size_t fam = 0; fam < families.size(); ++fam) {
        const auto models = families[fam].models;
        for (std::size_t i = 0; i < models.size(); ++i) {
            calc.form[item(analyzer_family_menus[fam], static_cast<int>(i))].text =
                std::string(catalogue::model_name(models[i]));
        }
    }
}

void fill_NS_menus(Calculator& calc) {
    const auto makers = catalogue::noise_source_makers();
    for (std::size_t m = 0; m < makers.size(); ++m) {
        const auto models = makers[m].models;
        for (std::size_t i = 0; i < models.size(); ++i) {
            calc.form[item(noise_source_maker_menus[m], static_cast<int>(i))].text =
                std::string(catalogue::model_name(models[i]));
        }
    }
}

}  // namespace orlavex
