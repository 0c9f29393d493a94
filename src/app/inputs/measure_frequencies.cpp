#include "app/inputs/measure_frequencies.h"

#include "app/inputs/inputs.h"
#include "core/field_entry.h"

namespace orlavex::app {

std::string band_refusal(double from_ghz, double to_ghz, std::size_t points,
                         const std::string& from_name, const std::string& to_name,
                         const std::string& points_name) {
    if (!(from_ghz > 0) || !(to_ghz >= from_ghz))
        return from_name + " and " + to_name + ": frequencies above 0 GHz, " + to_name +
               " at or above " + from_name;
    if (points > 1 && to_ghz == from_ghz)
        return points_name + " above 1 needs " + to_name + " above " + from_name;
    return {};
}

std::vector<double> measure_frequencies(double from_ghz, double to_ghz, std::size_t points) {
    const auto field = find_field_input("freq")->field;
    std::vector<double> out;
    for (std::size_t i = 0; i < points; ++i) {
        const double f = points == 1 ? from_ghz
                                     : from_ghz + (to_ghz - from_ghz) * static_cast<double>(i) /
                                                      static_cast<double>(points - 1);
        out.push_back(core::held_as_typed(field, f).value_or(f));
    }
    return out;
}

}  // namespace orlavex::app
