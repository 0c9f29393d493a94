#include "app/inputs/catalogue_names.h"

#include "catalogue/analyzer_table.h"
#include "catalogue/noise_source_table.h"

#include <algorithm>
#include <cctype>

namespace orlavex::app {

bool same_name(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

bool is_user(std::string_view name) {
    return same_name(name, "User") || same_name(name, "User Defined");
}

std::string_view analyzer_in_catalogue(std::string_view name) {
    for (const catalogue::AnalyzerFamily& family : catalogue::analyzer_families()) {
        for (const catalogue::AnalyzerModel& model : family.models) {
            if (same_name(catalogue::model_name(model), name)) return catalogue::model_name(model);
        }
    }
    return {};
}

std::string_view noise_source_in_catalogue(std::string_view name) {
    for (const catalogue::NoiseSourceMaker& maker : catalogue::noise_source_makers()) {
        for (const catalogue::NoiseSourceModel& model : maker.models) {
            if (same_name(catalogue::model_name(model), name)) return catalogue::model_name(model);
        }
    }
    return {};
}

}  // namespace orlavex::app
