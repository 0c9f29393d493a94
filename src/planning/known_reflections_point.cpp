#include "planning/known_reflections_point.h"

#include "measure/noise_parameters.h"

#include <cmath>

namespace orlavex::planning {

namespace {

constexpr double hz_per_ghz = 1e9;

// The direction of C, with 0 taken as 0 degrees.
std::complex<double> direction(std::complex<double> c) {
    const double magnitude = std::abs(c);
    return magnitude > 0 ? c / magnitude : 1.0;
}

}  // namespace

TwoPortPhases::TwoPortPhases(const datafiles::Touchstone& file) : file_(&file) {
    const auto records = file.records_at_50_ohms();
    s11_.resize(records.size());
    s21_.resize(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        s11_[i].direction = direction(records[i].s11);
        s21_[i].direction = direction(records[i].s21);
        if (i + 1 == records.size()) break;
        // Within +-180 degrees (180 itself as +180): the shorter way.
        s11_[i].turn = std::arg(records[i + 1].s11 * std::conj(s11_[i].direction));
        s21_[i].turn = std::arg(records[i + 1].s21 * std::conj(s21_[i].direction));
    }
}

TwoPortAt TwoPortPhases::at(const datafiles::DutPoint& point) const {
    const std::size_t i = point.applied.lower.index;
    const double w = point.applied.weight;
    const auto turned = [w](const Phase& p) {
        return w == 0 ? p.direction : p.direction * std::polar(1.0, w * p.turn);
    };
    return {point.input_match * turned(s11_[i]),
            std::sqrt(point.gain.value_or(0)) * turned(s21_[i])};
}

std::optional<measure::KnownReflections> known_reflections_at(const ReflectionFiles& files,
                                                              double f_in_ghz, double f_cal_ghz) {
    if (files.source == nullptr || !files.source->has_reflection() || files.dut == nullptr ||
        files.dut->file().ports() != 2)
        return std::nullopt;
    const double f_hz = f_in_ghz * hz_per_ghz;
    const std::optional<datafiles::SourceGamma> gamma =
        files.source_at != nullptr ? files.source_at->gamma : files.source->at(f_hz).gamma;
    if (!gamma) return std::nullopt;
    const TwoPortAt dut =
        files.dut_at != nullptr ? files.dut->at(*files.dut_at) : files.dut->at(f_hz);
    measure::KnownReflections k;
    k.source_on = gamma->on;
    k.source_off = gamma->off;
    if (files.calibration != nullptr && f_cal_ghz != f_in_ghz) {
        const datafiles::EnrPoint at_cal = files.calibration->at(f_cal_ghz * hz_per_ghz);
        if (at_cal.gamma) k.source_on_cal = at_cal.gamma->on;
    }
    k.s11 = dut.s11;
    k.s21 = dut.s21;
    if (files.dut->file().has_noise_parameters()) {
        if (const std::optional<datafiles::NoisePoint> noise = files.dut->file().noise_at(f_hz))
            k.noise =
                measure::noise_parameters_from_db(noise->nfmin_db, noise->gamma_opt, noise->rn);
    }
    if (files.loss_in != nullptr) k.loss_in_s21 = files.loss_in->at(f_hz).s21;
    return k;
}

}  // namespace orlavex::planning
