#include "planning/known_reflections_point.h"

#include "measure/noise_parameters.h"

#include <cmath>
#include <numbers>

namespace orlavex::planning {

namespace {

constexpr double hz_per_ghz = 1e9;

// The angle at WEIGHT from A to B, turning the shorter way.
double angle_between(std::complex<double> a, std::complex<double> b, double weight) {
    const double from = std::arg(a);
    return from + weight * std::remainder(std::arg(b) - from, 2 * std::numbers::pi);
}

}  // namespace

TwoPortAt two_port_at(const datafiles::Touchstone& file, double f_hz) {
    const datafiles::DutPoint point = file.at(f_hz);
    const auto records = file.records_at_50_ohms();
    const datafiles::TouchstoneRecord& lower = records[point.applied.lower.index];
    const datafiles::TouchstoneRecord& upper = records[point.applied.upper.index];
    const double w = point.applied.weight;
    return {std::polar(point.input_match, angle_between(lower.s11, upper.s11, w)),
            std::polar(std::sqrt(point.gain.value_or(0)), angle_between(lower.s21, upper.s21, w))};
}

std::optional<measure::KnownReflections> known_reflections_at(const ReflectionFiles& files,
                                                              double f_in_ghz, double f_cal_ghz) {
    if (files.source == nullptr || !files.source->has_reflection() || files.dut == nullptr ||
        files.dut->ports() != 2)
        return std::nullopt;
    const double f_hz = f_in_ghz * hz_per_ghz;
    const datafiles::EnrPoint source = files.source->at(f_hz);
    if (!source.gamma) return std::nullopt;
    const TwoPortAt dut = two_port_at(*files.dut, f_hz);
    measure::KnownReflections k;
    k.source_on = source.gamma->on;
    k.source_off = source.gamma->off;
    if (files.calibration != nullptr && f_cal_ghz != f_in_ghz) {
        const datafiles::EnrPoint at_cal = files.calibration->at(f_cal_ghz * hz_per_ghz);
        if (at_cal.gamma) k.source_on_cal = at_cal.gamma->on;
    }
    k.s11 = dut.s11;
    k.s21 = dut.s21;
    if (const std::optional<datafiles::NoisePoint> noise = files.dut->noise_at(f_hz))
        k.noise = measure::noise_parameters_from_db(noise->nfmin_db, noise->gamma_opt, noise->rn);
    if (files.loss_in != nullptr) k.loss_in_s21 = two_port_at(*files.loss_in, f_hz).s21;
    return k;
}

}  // namespace orlavex::planning
