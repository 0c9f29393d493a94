#include "datafiles/touchstone.h"

#include <cmath>

namespace orlavex::datafiles {

DutPoint Touchstone::at(double freq_hz) const {
    const AppliedRecords applied = locate(records(), freq_hz);
    const TouchstoneRecord& lower = records_[applied.lower.index];
    const TouchstoneRecord& upper = records_[applied.upper.index];
    DutPoint point{freq_hz,      std::nullopt,
                   std::nullopt, applied.interpolate(std::abs(lower.s11), std::abs(upper.s11)),
                   std::nullopt, applied};
    if (ports_ == 2) {
        const double gain_db = applied.interpolate(10 * std::log10(std::norm(lower.s21)),
                                                   10 * std::log10(std::norm(upper.s21)));
        point.gain_db = gain_db;
        point.gain = std::pow(10.0, gain_db / 10);
        point.output_match = applied.interpolate(std::abs(lower.s22), std::abs(upper.s22));
    }
    return point;
}

}  // namespace orlavex::datafiles
