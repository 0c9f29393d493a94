#include "planning/known_reflections_point.h"

#include "measure/noise_parameters.h"
#include "measure/units.h"

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

namespace {

struct SourceAt {
    std::complex<double> on, off;
};

// The source's on and off reflections at F_HZ: its table's, or typed.
std::optional<SourceAt> source_at(const ReflectionFiles& files, double f_hz) {
    if (files.source != nullptr && files.source->has_reflection()) {
        const std::optional<datafiles::SourceGamma> gamma =
            files.source_at != nullptr ? files.source_at->gamma : files.source->at(f_hz).gamma;
        if (!gamma) return std::nullopt;
        return SourceAt{gamma->on, gamma->off};
    }
    const measure::ModelOptions* t = files.typed;
    if (t == nullptr || !t->source_on_gamma || !t->source_off_gamma) return std::nullopt;
    return SourceAt{*t->source_on_gamma, *t->source_off_gamma};
}

// S11 and S21 at F_HZ: the 2-port file's, or the typed S11 with the gain.
std::optional<TwoPortAt> dut_at(const ReflectionFiles& files, double f_hz) {
    if (files.dut != nullptr && files.dut->file().ports() == 2)
        return files.dut_at != nullptr ? files.dut->at(*files.dut_at) : files.dut->at(f_hz);
    if (files.typed == nullptr || !files.typed->dut_s11) return std::nullopt;
    return TwoPortAt{*files.typed->dut_s11, std::sqrt(measure::lin(files.dut_gain_db))};
}

std::optional<measure::NoiseParameters> noise_at(const ReflectionFiles& files, double f_hz) {
    if (files.dut != nullptr && files.dut->file().has_noise_parameters()) {
        const std::optional<datafiles::NoisePoint> noise = files.dut->file().noise_at(f_hz);
        if (!noise) return std::nullopt;
        return measure::noise_parameters_from_db(noise->nfmin_db, noise->gamma_opt, noise->rn);
    }
    const measure::ModelOptions* t = files.typed;
    if (t == nullptr || !t->dut_nfmin_db || !t->dut_gamma_opt || !t->dut_rn) return std::nullopt;
    return measure::noise_parameters_from_db(*t->dut_nfmin_db, *t->dut_gamma_opt, *t->dut_rn);
}

}  // namespace

std::optional<measure::KnownReflections> known_reflections_at(const ReflectionFiles& files,
                                                              double f_in_ghz, double f_cal_ghz) {
    const double f_hz = f_in_ghz * hz_per_ghz;
    const std::optional<SourceAt> source = source_at(files, f_hz);
    const std::optional<TwoPortAt> dut = source ? dut_at(files, f_hz) : std::nullopt;
    if (!dut) return std::nullopt;
    measure::KnownReflections k;
    k.source_on = source->on;
    k.source_off = source->off;
    if (files.calibration != nullptr && files.calibration->has_reflection() &&
        f_cal_ghz != f_in_ghz) {
        const datafiles::EnrPoint at_cal = files.calibration->at(f_cal_ghz * hz_per_ghz);
        if (at_cal.gamma) k.source_on_cal = at_cal.gamma->on;
    }
    k.s11 = dut->s11;
    k.s21 = dut->s21;
    k.noise = noise_at(files, f_hz);
    if (files.loss_in != nullptr) k.loss_in_s21 = files.loss_in->at(f_hz).s21;
    return k;
}

}  // namespace orlavex::planning
