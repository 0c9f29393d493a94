#include "app/inputs/measure_frequencies.h"

#include "app/inputs/inputs.h"
#include "core/field_entry.h"
#include "measure/frequency_plan.h"

#include <charconv>

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

namespace {

double field_or_start(const Setup& setup, std::string_view keyword) {
    return setup.field(keyword).value_or(find_field_input(keyword)->start);
}

std::string ghz_text(double ghz) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, ghz).ptr;
    return std::string(text, end) + " GHz";
}

}  // namespace

std::string setup_lo(const Setup& setup, measure::FixedLo& lo) {
    const double in = field_or_start(setup, "freq"), out = field_or_start(setup, "freq2");
    const measure::LoSide side = setup.model.lo_side;
    const auto taken = measure::fixed_lo(in, out, side);
    if (!taken)
        return "the set-up's frequencies place no LO: " +
               measure::frequency_plan(in * 1e9, out * 1e9, side).problem;
    lo = *taken;
    return {};
}

std::string output_frequencies(const measure::FixedLo& lo, const std::vector<double>& inputs,
                               std::vector<double>& out) {
    const auto field = find_field_input("freq2")->field;
    out.clear();
    for (const double f : inputs) {
        const std::optional<double> output = measure::output_of(lo, f);
        if (!output) {
            return ghz_text(f) + " reaches no output with the LO held at " + ghz_text(lo.lo_ghz) +
                   (lo.side == measure::LoSide::above ? " above the input" : " below the input");
        }
        out.push_back(core::held_as_typed(field, *output).value_or(*output));
    }
    return {};
}

std::string measured_outputs(const SweepRequest& request, const std::vector<double>& inputs,
                             const std::string& band_name, std::vector<double>& outputs) {
    outputs.clear();
    if (!request.setup.freq_conv) return {};
    // The bench's LO is no instrument of the run's: it stays where it is.
    if (request.fixed_if)
        return "measure holds a converting DUT's LO still: the set-up's fixed_if would move it";
    measure::FixedLo lo;
    if (std::string why = setup_lo(request.setup, lo); !why.empty()) return why;
    if (std::string why = output_frequencies(lo, inputs, outputs); !why.empty())
        return band_name + ": " + why;
    return {};
}

}  // namespace orlavex::app
