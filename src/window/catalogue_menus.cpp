// Compile-time agreement of the window's catalogue menus with the
// catalogues: one item array per family or maker, in the same order, under
// a submenu captioned with its name, with one item per model.
#include "window/catalogue_menus.h"

#include "catalogue/analyzer_rows.h"
#include "catalogue/noise_source_rows.h"
#include "form/layout_rows.h"

#include <span>
#include <string_view>

namespace orlavex {

namespace {

template <class Group, std::size_t N>
constexpr bool menus_match(const std::array<Ctl, N>& menus, std::span<const Group> groups,
                           std::string_view Group::*caption) {
    if (menus.size() != groups.size()) return false;
    for (std::size_t i = 0; i < N; ++i) {
        const ControlRow& first = layout_table::rows[static_cast<std::size_t>(menus[i])];
        const ControlRow& submenu = layout_table::rows[static_cast<std::size_t>(first.parent)];
        if (first.kind != Kind::Item || first.index != 0) return false;
        if (submenu.text != groups[i].*caption) return false;
        if (layout_table::items_in(menus[i]) != static_cast<int>(groups[i].models.size())) {
            return false;
        }
    }
    return true;
}

static_assert(
    menus_match(analyzer_family_menus,
                std::span<const catalogue::AnalyzerFamily>(catalogue::analyzer_rows::families),
                &catalogue::AnalyzerFamily::name),
    "the analyzer menus must offer the analyzer catalogue's families and models");
static_assert(
    menus_match(noise_source_maker_menus,
                std::span<const catalogue::NoiseSourceMaker>(catalogue::noise_source_rows::makers),
                &catalogue::NoiseSourceMaker::caption),
    "the noise source menus must offer the noise source catalogue's makers and models");

}  // namespace

}  // namespace orlavex
