#include "measure/fixed_lo.h"

namespace orlavex::measure {

namespace {

std::optional<double> above_zero(double ghz) {
    return ghz > 0 ? std::optional<double>(ghz) : std::nullopt;
}

}  // namespace

std::optional<FixedLo> fixed_lo(double f_in_ghz, double f_out_ghz, LoSide side) {
    const FrequencyPlan plan = frequency_plan(f_in_ghz * 1e9, f_out_ghz * 1e9, side);
    if (!plan.valid()) return std::nullopt;
    return FixedLo{plan.lo_hz / 1e9, side, f_out_ghz > f_in_ghz};
}

std::optional<double> output_of(const FixedLo& lo, double input_ghz) {
    if (!(input_ghz > 0)) return std::nullopt;
    if (lo.side == LoSide::above) return above_zero(lo.lo_ghz - input_ghz);
    return above_zero(lo.up ? input_ghz + lo.lo_ghz : input_ghz - lo.lo_ghz);
}

std::optional<double> input_of(const FixedLo& lo, double output_ghz) {
    if (!(output_ghz > 0)) return std::nullopt;
    if (lo.side == LoSide::above) return above_zero(lo.lo_ghz - output_ghz);
    return above_zero(lo.up ? output_ghz - lo.lo_ghz : output_ghz + lo.lo_ghz);
}

}  // namespace orlavex::measure
