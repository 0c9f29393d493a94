#include "app/results/calibration_table.h"

#include "datafiles/lookup.h"
#include "datafiles/numbers.h"

#include <cmath>
#include <span>

namespace orlavex::app {

namespace {

using datafiles::Level;

constexpr double hz_per_ghz = 1e9;

// The level LEVEL of POINT's readings: their mean linear power in dBm, and
// the scatter of repeated readings under the budget line SOURCE.
auto level_of(const datafiles::ReadingsPoint& point, Level level, std::string_view source) {
    std::vector<double> powers;
    double sum = 0;
    for (const datafiles::LevelsMw& r : point.readings) {
        powers.push_back(r[level]);
        sum += r[level];
    }
    const double dbm = 10 * std::log10(sum / static_cast<double>(powers.size()));
    const measure::TypeALine scatter =
        powers.size() > 1 ? measure::type_a_line(source, powers) : measure::TypeALine{source, 0, 0};
    return std::pair{dbm, scatter};
}

// The Type A line of a level interpolated between two records with the
// weight W of the upper: the two scatters are independent, and their
// degrees of freedom combine by Welch-Satterthwaite.
measure::TypeALine interpolated(const measure::TypeALine& lower, const measure::TypeALine& upper,
                                double w) {
    const double a = (1 - w) * lower.u, b = w * upper.u;
    const double u = std::hypot(a, b);
    double by_dof = 0;
    if (a > 0) by_dof += std::pow(a, 4) / lower.dof;
    if (b > 0) by_dof += std::pow(b, 4) / upper.dof;
    return {lower.source, u, by_dof > 0 ? std::pow(u, 4) / by_dof : lower.dof};
}

}  // namespace

CalibrationTable::CalibrationTable(const datafiles::Readings& calibration)
    : repeated_(calibration.repeated) {
    for (const datafiles::ReadingsPoint& p : calibration.points) {
        const auto [off_dbm, off_scatter] = level_of(p, datafiles::cal_off, "jitter_cal_off");
        const auto [on_dbm, on_scatter] = level_of(p, datafiles::cal_on, "jitter_cal_on");
        records_.push_back(
            {p.freq_ghz * hz_per_ghz, p.line, {off_dbm, off_scatter}, {on_dbm, on_scatter}});
    }
}

CalibrationAt CalibrationTable::at(double freq_ghz) const {
    const datafiles::AppliedRecords applied =
        datafiles::locate(std::span<const Record>(records_), freq_ghz * hz_per_ghz);
    const Record& lower = records_[applied.lower.index];
    const Record& upper = records_[applied.upper.index];
    const double w = applied.weight;
    CalibrationAt c;
    c.cal_off_dbm = applied.interpolate(lower.off.dbm, upper.off.dbm);
    c.cal_on_dbm = applied.interpolate(lower.on.dbm, upper.on.dbm);
    if (repeated_) {
        c.scatter = {interpolated(lower.off.scatter, upper.off.scatter, w),
                     interpolated(lower.on.scatter, upper.on.scatter, w)};
    }
    if (!applied.in_range()) {
        c.note = "calibration levels at " + datafiles::frequency_text(freq_ghz * hz_per_ghz) +
                 ": outside the calibration file, " + applied.note();
    }
    return c;
}

}  // namespace orlavex::app
