#include "catalogue/analyzer_table.h"
#include "catalogue/catalogue.h"
#include "catalogue/noise_source_table.h"
#include "window/catalogue_menus.h"
#include "window/handlers.h"

#include <span>
#include <string>

namespace orlavex {

namespace {

// Item k of the g-th menu array shows the name of model k of group g.
template <class Group>
void fill_model_menus(Calculator& calc, std::span<const Group> groups, std::span<const Ctl> menus) {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const auto models = groups[g].models;
        for (std::size_t k = 0; k < models.size(); ++k) {
            calc.form[item(menus[g], static_cast<int>(k))].text =
                std::string(catalogue::model_name(models[k]));
        }
    }
}

}  // namespace

void fill_SA_menus(Calculator& calc) {
    fill_model_menus(calc, catalogue::analyzer_families(), analyzer_family_menus);
}

void fill_NS_menus(Calculator& calc) {
    fill_model_menus(calc, catalogue::noise_source_makers(), noise_source_maker_menus);
}

}  // namespace orlavex
